<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>olm::repair::RepairWorkflowController</name>
    <message>
        <source>另有 %1 项同类发现未逐条列出</source>
        <translation>%1 weitere Befunde dieser Art werden nicht einzeln aufgeführt</translation>
    </message>
    <message>
        <source>视频</source>
        <translation>Video</translation>
    </message>
    <message>
        <source>音频</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Bild</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Dokument</translation>
    </message>
    <message>
        <source>压缩容器</source>
        <translation>Komprimierter Container</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>Unbekannt</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>信息</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>无法读取输入文件：%1</source>
        <translation>Eingabedatei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>该文件格式尚未列入首发修复白名单</source>
        <translation>Dieses Dateiformat gehört noch nicht zu den Formaten, die diese Version repariert</translation>
    </message>
    <message>
        <source>系统未提供可写的应用缓存目录</source>
        <translation>Das System stellt keinen beschreibbaren Cache-Ordner für die Anwendung bereit</translation>
    </message>
    <message>
        <source>无法创建私有修复缓存目录</source>
        <translation>Der private Reparatur-Cache-Ordner kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>无法登记私有修复缓存任务</source>
        <translation>Die Aufgabe im privaten Reparatur-Cache kann nicht registriert werden</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足；长路径工作副本和修复输出均已计入预检</source>
        <translation>Zu wenig Speicherplatz im Anwendungs-Cache; Arbeitskopien für lange Pfade und die Reparaturausgabe wurden bei der Vorprüfung berücksichtigt</translation>
    </message>
    <message>
        <source>无法为 Windows 长路径创建私有工作副本</source>
        <translation>Für einen langen Windows-Pfad kann keine private Arbeitskopie erstellt werden</translation>
    </message>
    <message>
        <source>无法为长路径样本创建私有工作副本</source>
        <translation>Für ein Muster mit langem Pfad kann keine private Arbeitskopie erstellt werden</translation>
    </message>
    <message>
        <source>无法为同源一致副本创建短路径工作副本</source>
        <translation>Für die übereinstimmende Kopie gleicher Herkunft kann keine Arbeitskopie mit kurzem Pfad erstellt werden</translation>
    </message>
    <message>
        <source>核心生成了输出，但独立格式验证未通过</source>
        <translation>Der Kern hat eine Ausgabe erzeugt, aber die unabhängige Formatprüfung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>同源副本已精确恢复；源基线与扩展名声明不匹配（%1），已切换为安全数据预览</source>
        <translation>Die Kopie gleicher Herkunft wurde exakt wiederhergestellt; die Quellbasis passt nicht zur Dateiendung (%1); auf die sichere Datenvorschau umgeschaltet</translation>
    </message>
    <message>
        <source>格式完整性未通过，保存前请确认：结果保留恢复出的原始字节，不代表扩展名所声明的文件结构可用。</source>
        <translation>Formatintegrität nicht bestanden; bitte vor dem Speichern bestätigen: Das Ergebnis behält die wiederhergestellten Bytes unverändert, was nicht bedeutet, dass die von der Dateiendung angegebene Dateistruktur nutzbar ist.</translation>
    </message>
    <message>
        <source>修复核心未返回可加密的结果文件</source>
        <translation>Der Reparaturkern hat keine verschlüsselbare Ergebnisdatei zurückgegeben</translation>
    </message>
    <message>
        <source>无法安全加密临时修复结果：%1</source>
        <translation>Das vorläufige Reparaturergebnis kann nicht sicher verschlüsselt werden: %1</translation>
    </message>
    <message>
        <source>正在只读分析文件结构…</source>
        <translation>Dateistruktur wird schreibgeschützt analysiert…</translation>
    </message>
    <message>
        <source>正在私有缓存中生成修复结果…</source>
        <translation>Reparaturergebnis wird im privaten Cache erzeugt…</translation>
    </message>
    <message>
        <source>请选择需要分析的文件</source>
        <translation>Bitte wählen Sie die zu analysierende Datei aus</translation>
    </message>
    <message>
        <source>已选择 %1；原文件将保持只读</source>
        <translation>%1 ausgewählt; die Originaldatei bleibt schreibgeschützt</translation>
    </message>
    <message>
        <source>所选文件不存在或不是普通文件</source>
        <translation>Die ausgewählte Datei existiert nicht oder ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>所选样本文件不存在或不是普通文件</source>
        <translation>Die ausgewählte Musterdatei existiert nicht oder ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>所选文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Der Name der ausgewählten Datei enthält Zeichen, die nicht gelesen werden können; benennen Sie die Datei um und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>所选样本文件的名称包含无法识别的字符；请重命名文件后再试</source>
        <translation>Der Name der ausgewählten Musterdatei enthält Zeichen, die nicht gelesen werden können; benennen Sie die Datei um und versuchen Sie es erneut</translation>
    </message>
    <message>
        <source>样本文件不能与待修复文件相同</source>
        <translation>Die Musterdatei darf nicht die zu reparierende Datei sein</translation>
    </message>
    <message>
        <source>已选择样本文件：%1</source>
        <translation>Musterdatei ausgewählt: %1</translation>
    </message>
    <message>
        <source>已移除样本文件</source>
        <translation>Musterdatei entfernt</translation>
    </message>
    <message>
        <source>请先完成分析，再启动修复</source>
        <translation>Bitte schließen Sie zuerst die Analyse ab, bevor Sie die Reparatur starten</translation>
    </message>
    <message>
        <source>正在安全取消…</source>
        <translation>Wird sicher abgebrochen…</translation>
    </message>
    <message>
        <source>检测到可尝试修复的问题</source>
        <translation>Es wurden Probleme erkannt, die eine Reparatur zu beheben versuchen kann</translation>
    </message>
    <message>
        <source>未确认存在可自动修复的问题</source>
        <translation>Es wurde kein automatisch reparierbares Problem bestätigt</translation>
    </message>
    <message>
        <source>任务已取消，原文件未被修改</source>
        <translation>Die Aufgabe wurde abgebrochen; die Originaldatei wurde nicht verändert</translation>
    </message>
    <message>
        <source>操作失败</source>
        <translation>Vorgang fehlgeschlagen</translation>
    </message>
    <message>
        <source>分析完成，可以在私有缓存中尝试修复</source>
        <translation>Analyse abgeschlossen; Sie können die Reparatur im privaten Cache versuchen</translation>
    </message>
    <message>
        <source>修复完成并通过独立验证；结果可预览但尚未保存</source>
        <translation>Reparatur abgeschlossen und unabhängig geprüft; das Ergebnis kann angezeigt werden, ist aber noch nicht gespeichert</translation>
    </message>
    <message>
        <source>同源数据已恢复；格式声明异常，结果可安全预览但尚未保存</source>
        <translation>Die Daten gleicher Herkunft wurden wiederhergestellt; die Formatangabe ist auffällig; das Ergebnis kann sicher angezeigt werden, ist aber noch nicht gespeichert</translation>
    </message>
    <message>
        <source>修复结果已加密，但无法生成受控预览：%1</source>
        <translation>Das Reparaturergebnis ist verschlüsselt, aber es konnte keine kontrollierte Vorschau erzeugt werden: %1</translation>
    </message>
    <message>
        <source>已丢弃未保存结果，可以重新选择修复方式</source>
        <translation>Das nicht gespeicherte Ergebnis wurde verworfen; Sie können erneut eine Reparaturart wählen</translation>
    </message>
    <message>
        <source>缺少加密预览元数据</source>
        <translation>Die Metadaten der verschlüsselten Vorschau fehlen</translation>
    </message>
    <message>
        <source>无法解密受控预览：%1</source>
        <translation>Die kontrollierte Vorschau kann nicht entschlüsselt werden: %1</translation>
    </message>
    <message>
        <source>目标目录不存在或不可写</source>
        <translation>Der Zielordner existiert nicht oder ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>已安全保存：%1</source>
        <translation>Sicher gespeichert: %1</translation>
    </message>
    <message>
        <source>报告目录不存在</source>
        <translation>Der Berichtsordner existiert nicht</translation>
    </message>
    <message>
        <source>已导出不含完整文件路径的修复报告：%1</source>
        <translation>Reparaturbericht ohne vollständige Dateipfade exportiert: %1</translation>
    </message>
    <message>
        <source>报告导出失败：%1</source>
        <translation>Export des Berichts fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>保护临时结果的主密钥已无法解锁，已自动换用新的主密钥</source>
        <translation>Der Hauptschlüssel, der temporäre Ergebnisse schützt, ließ sich nicht mehr entsperren und wurde durch einen neuen ersetzt</translation>
    </message>
    <message>
        <source>正在独立验证修复结果…</source>
        <translation>Reparaturergebnis wird unabhängig geprüft…</translation>
    </message>
    <message>
        <source>正在加密封存修复结果…</source>
        <translation>Reparaturergebnis wird verschlüsselt versiegelt…</translation>
    </message>
    <message>
        <source>输入文件在分析后已被更改或替换，请重新分析后再修复</source>
        <translation>Die Eingabedatei wurde nach der Analyse geändert oder ersetzt; analysieren Sie sie vor der Reparatur erneut</translation>
    </message>
    <message>
        <source>保存失败，缓存结果仍保留：%1</source>
        <translation>Speichern fehlgeschlagen; das zwischengespeicherte Ergebnis bleibt erhalten: %1</translation>
    </message>
    <message>
        <source>目标磁盘空间不足</source>
        <translation>nicht genug Speicherplatz auf dem Ziellaufwerk</translation>
    </message>
    <message>
        <source>文件名或路径过长</source>
        <translation>der Dateiname oder Pfad ist zu lang</translation>
    </message>
    <message>
        <source>目标文件夹不可写</source>
        <translation>in den Zielordner kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>文件大小超过了系统对单个文件的上限</source>
        <translation>Die Datei hat die Größenbegrenzung des Systems für eine einzelne Datei erreicht</translation>
    </message>
    <message>
        <source>应用缓存磁盘空间不足，无法封存修复结果（需要 %1）</source>
        <translation>Nicht genug Platz im Anwendungscache, um das Reparaturergebnis zu versiegeln (%1 benötigt)</translation>
    </message>
    <message>
        <source>正在保存修复结果…（%1%）</source>
        <translation>Reparaturergebnis wird gespeichert… (%1 %)</translation>
    </message>
</context>
<context>
    <name>olm::repair</name>
    <message>
        <source>“%1”不是普通文件（可能是管道、设备或文件夹），未读取</source>
        <translation>„%1“ ist keine normale Datei (möglicherweise eine Pipe, ein Gerät oder ein Ordner) und wurde nicht gelesen</translation>
    </message>
</context>
</TS>
