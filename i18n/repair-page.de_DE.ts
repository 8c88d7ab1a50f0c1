<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="zh_CN">
<context>
    <name>RepairPage</name>
    <message>
        <source>Korvex 文件修复</source>
        <translation>Korvex Dateireparatur</translation>
    </message>
    <message>
        <source>不会修改原文件</source>
        <translation>Die Originaldatei wird nie verändert</translation>
    </message>
    <message>
        <source>临时修复文件会被安全删除，原始文件不会受到影响。</source>
        <translation>Die vorläufige reparierte Datei wird gelöscht; die Originaldatei bleibt unberührt.</translation>
    </message>
    <message>
        <source>临时预览</source>
        <translation>Vorläufige Vorschau</translation>
    </message>
    <message>
        <source>使用同设备、同格式且编码参数兼容的正常文件，重建已缺失的关键元数据。</source>
        <translation>Fehlende wichtige Metadaten aus einer intakten Datei desselben Geräts und Formats mit kompatiblen Kodierparametern wiederherstellen.</translation>
    </message>
    <message>
        <source>例如同一相机、录制设备或同一导出配置生成的正常文件</source>
        <translation>Zum Beispiel eine intakte Datei derselben Kamera, desselben Rekorders oder derselben Exportvorgabe</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>保存修复结果</source>
        <translation>Reparierte Datei speichern</translation>
    </message>
    <message>
        <source>修复</source>
        <translation>Reparieren</translation>
    </message>
    <message>
        <source>修复完成，结果尚未保存</source>
        <translation>Reparatur abgeschlossen, Ergebnis noch nicht gespeichert</translation>
    </message>
    <message>
        <source>修复完成，结果已保存</source>
        <translation>Reparatur abgeschlossen, Ergebnis gespeichert</translation>
    </message>
    <message>
        <source>修复过程中将保持原始文件只读</source>
        <translation>Die Originaldatei bleibt während der Reparatur schreibgeschützt</translation>
    </message>
    <message>
        <source>写入应用私有缓存，完成后再由你选择保存位置</source>
        <translation>Wird in den privaten Cache der App geschrieben; den Speicherort wählen Sie danach</translation>
    </message>
    <message>
        <source>分析</source>
        <translation>Analysieren</translation>
    </message>
    <message>
        <source>分析中…</source>
        <translation>Wird analysiert…</translation>
    </message>
    <message>
        <source>原文件保持不变</source>
        <translation>Die Originaldatei bleibt unverändert</translation>
    </message>
    <message>
        <source>原文件未修改</source>
        <translation>Originaldatei unverändert</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>取消任务</source>
        <translation>Aufgabe abbrechen</translation>
    </message>
    <message>
        <source>可正常解析</source>
        <translation>Normal lesbar</translation>
    </message>
    <message>
        <source>同源数据已恢复</source>
        <translation>Daten derselben Quelle wiederhergestellt</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果尚未保存</source>
        <translation>Daten derselben Quelle wiederhergestellt, Ergebnis noch nicht gespeichert</translation>
    </message>
    <message>
        <source>同源数据已恢复，结果已保存</source>
        <translation>Daten derselben Quelle wiederhergestellt, Ergebnis gespeichert</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Bilder</translation>
    </message>
    <message>
        <source>安全预览可用</source>
        <translation>Sichere Vorschau verfügbar</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>导出报告</source>
        <translation>Bericht exportieren</translation>
    </message>
    <message>
        <source>尚未选择</source>
        <translation>Noch nicht ausgewählt</translation>
    </message>
    <message>
        <source>已保存到</source>
        <translation>Gespeichert unter</translation>
    </message>
    <message>
        <source>已完成带样本的分析</source>
        <translation>Analyse mit Probedatei abgeschlossen</translation>
    </message>
    <message>
        <source>已带样本完成分析，可以开始高级修复。</source>
        <translation>Die Analyse mit der Probedatei ist abgeschlossen; die erweiterte Reparatur kann beginnen.</translation>
    </message>
    <message>
        <source>已通过独立格式验证</source>
        <translation>Unabhängige Formatprüfung bestanden</translation>
    </message>
    <message>
        <source>带样本的分析未通过</source>
        <translation>Analyse mit Probedatei fehlgeschlagen</translation>
    </message>
    <message>
        <source>带样本的分析未通过：%1</source>
        <translation>Die Analyse mit der Probedatei ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>开始分析</source>
        <translation>Analyse starten</translation>
    </message>
    <message>
        <source>开始高级修复</source>
        <translation>Erweiterte Reparatur starten</translation>
    </message>
    <message>
        <source>当前无法自动修复</source>
        <translation>Automatische Reparatur derzeit nicht möglich</translation>
    </message>
    <message>
        <source>当前结果仍在私有缓存，尚未保存到用户目录。</source>
        <translation>Das Ergebnis liegt noch im privaten Cache und ist noch nicht in einem Ihrer Ordner gespeichert.</translation>
    </message>
    <message>
        <source>快速修复</source>
        <translation>Schnellreparatur</translation>
    </message>
    <message>
        <source>快速修复无法安全完成</source>
        <translation>Die Schnellreparatur kann nicht sicher abgeschlossen werden</translation>
    </message>
    <message>
        <source>恢复数据非空</source>
        <translation>Wiederhergestellte Daten nicht leer</translation>
    </message>
    <message>
        <source>所有修复操作均在私有缓存中进行，不会写入或覆盖原文件。</source>
        <translation>Alle Reparaturschritte laufen im privaten Cache; die Originaldatei wird nie beschrieben oder überschrieben.</translation>
    </message>
    <message>
        <source>所有文件 (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>打开预览</source>
        <translation>Vorschau öffnen</translation>
    </message>
    <message>
        <source>扩展名格式未通过</source>
        <translation>Formatprüfung der Dateiendung nicht bestanden</translation>
    </message>
    <message>
        <source>拖入损坏文件，或点击选择文件</source>
        <translation>Beschädigte Datei hierher ziehen oder zum Auswählen klicken</translation>
    </message>
    <message>
        <source>支持图片 · 视频 · 音频 · 文档 · PDF</source>
        <translation>Unterstützt Bilder · Videos · Audio · Dokumente · PDF</translation>
    </message>
    <message>
        <source>支持常见文档、图片、音频和视频格式</source>
        <translation>Unterstützt gängige Dokument-, Bild-, Audio- und Videoformate</translation>
    </message>
    <message>
        <source>支持的文件</source>
        <translation>Unterstützte Dateien</translation>
    </message>
    <message>
        <source>放弃未保存结果？</source>
        <translation>Nicht gespeichertes Ergebnis verwerfen?</translation>
    </message>
    <message>
        <source>文件已选择，开始只读分析</source>
        <translation>Datei gewählt – schreibgeschützte Analyse starten</translation>
    </message>
    <message>
        <source>文档</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>暂不可修复</source>
        <translation>Derzeit nicht reparierbar</translation>
    </message>
    <message>
        <source>更换待修复文件</source>
        <translation>Zu reparierende Datei wechseln</translation>
    </message>
    <message>
        <source>更换文件</source>
        <translation>Datei wechseln</translation>
    </message>
    <message>
        <source>更换样本</source>
        <translation>Probedatei wechseln</translation>
    </message>
    <message>
        <source>未发现结构化损坏项</source>
        <translation>Keine strukturellen Schäden gefunden</translation>
    </message>
    <message>
        <source>格式声明异常，已启用安全数据预览</source>
        <translation>Formatangabe fehlerhaft; sichere Datenvorschau aktiviert</translation>
    </message>
    <message>
        <source>检测结构</source>
        <translation>Struktur prüfen</translation>
    </message>
    <message>
        <source>正在只读分析损坏文件，并参考所选样本…</source>
        <translation>Die beschädigte Datei wird schreibgeschützt mit der gewählten Probedatei analysiert…</translation>
    </message>
    <message>
        <source>正在带样本分析…</source>
        <translation>Analyse mit Probedatei läuft…</translation>
    </message>
    <message>
        <source>正在私有缓存中修复</source>
        <translation>Reparatur im privaten Cache</translation>
    </message>
    <message>
        <source>正在读取文件结构…</source>
        <translation>Dateistruktur wird gelesen…</translation>
    </message>
    <message>
        <source>正常样本</source>
        <translation>Intakte Probedatei</translation>
    </message>
    <message>
        <source>独立验证</source>
        <translation>Unabhängige Prüfung</translation>
    </message>
    <message>
        <source>确认放弃</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>磁盘空间安全</source>
        <translation>Speicherplatz sicher</translation>
    </message>
    <message>
        <source>移除</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>空间充足</source>
        <translation>Genug Platz</translation>
    </message>
    <message>
        <source>等待中</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>结构完整</source>
        <translation>Struktur vollständig</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnose</translation>
    </message>
    <message>
        <source>请先完成文件分析</source>
        <translation>Analysieren Sie zuerst die Datei</translation>
    </message>
    <message>
        <source>请先选择正常样本</source>
        <translation>Wählen Sie zuerst eine intakte Probedatei</translation>
    </message>
    <message>
        <source>请等待带样本的分析完成</source>
        <translation>Warten Sie, bis die Analyse mit der Probedatei abgeschlossen ist</translation>
    </message>
    <message>
        <source>请选择同设备、同格式的正常文件</source>
        <translation>Wählen Sie eine intakte Datei vom selben Gerät im selben Format</translation>
    </message>
    <message>
        <source>输出文件</source>
        <translation>Ausgabedatei</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>进行中</source>
        <translation>Läuft</translation>
    </message>
    <message>
        <source>选择修复结果保存目录</source>
        <translation>Ordner für die reparierte Datei wählen</translation>
    </message>
    <message>
        <source>选择同设备、同格式的正常样本</source>
        <translation>Intakte Probedatei vom selben Gerät im selben Format auswählen</translation>
    </message>
    <message>
        <source>选择完整报告保存目录</source>
        <translation>Ordner für den vollständigen Bericht wählen</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>Datei wählen</translation>
    </message>
    <message>
        <source>选择样本后会自动重新分析；分析完成前不会启用修复按钮。</source>
        <translation>Nach der Wahl einer Probedatei wird automatisch neu analysiert; bis dahin bleibt die Reparaturschaltfläche deaktiviert.</translation>
    </message>
    <message>
        <source>选择正常样本</source>
        <translation>Intakte Probedatei wählen</translation>
    </message>
    <message>
        <source>选择需要修复的文件</source>
        <translation>Zu reparierende Datei auswählen</translation>
    </message>
    <message>
        <source>重建内容</source>
        <translation>Inhalt wiederherstellen</translation>
    </message>
    <message>
        <source>重新修复</source>
        <translation>Erneut reparieren</translation>
    </message>
    <message>
        <source>重置预览</source>
        <translation>Vorschau zurücksetzen</translation>
    </message>
    <message>
        <source>音视频</source>
        <translation>Audio &amp; Video</translation>
    </message>
    <message>
        <source>验证结果</source>
        <translation>Prüfergebnis</translation>
    </message>
    <message>
        <source>高级修复</source>
        <translation>Erweiterte Reparatur</translation>
    </message>
    <message>
        <source>高级修复只借用正常样本的结构与编码参数；待修复文件始终保持只读。</source>
        <translation>Die erweiterte Reparatur übernimmt nur Struktur und Kodierparameter der Probedatei; die zu reparierende Datei bleibt stets schreibgeschützt.</translation>
    </message>
    <message>
        <source>存在需要注意的警告</source>
        <translation>Warnungen beachten</translation>
    </message>
    <message>
        <source>已通过独立格式验证，但有警告需要注意</source>
        <translation>Unabhängige Formatprüfung bestanden, mit Warnungen zur Durchsicht</translation>
    </message>
</context>
<context>
    <name>InternalPreview</name>
    <message>
        <source>%1 / %2</source>
        <translation>%1 / %2</translation>
    </message>
    <message>
        <source>0 / 0</source>
        <translation>0 / 0</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Vorherige Seite</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Nächste Seite</translation>
    </message>
    <message>
        <source>不会启动系统默认应用或第三方软件。请保存结果后再处理该格式。</source>
        <translation>Es wird weder die Standardanwendung noch andere Software gestartet. Speichern Sie das Ergebnis, bevor Sie mit diesem Format arbeiten.</translation>
    </message>
    <message>
        <source>全选</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>取消静音</source>
        <translation>Ton ein</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>播放视频</source>
        <translation>Video abspielen</translation>
    </message>
    <message>
        <source>无法生成内部 Office 预览</source>
        <translation>Die interne Office-Vorschau kann nicht erstellt werden</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>正在生成安全只读预览…</source>
        <translation>Sichere schreibgeschützte Vorschau wird erstellt…</translation>
    </message>
    <message>
        <source>此格式尚未提供内部预览</source>
        <translation>Für dieses Format gibt es noch keine interne Vorschau</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>继续播放</source>
        <translation>Weiter abspielen</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>An Breite anpassen</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>重新播放</source>
        <translation>Erneut abspielen</translation>
    </message>
    <message>
        <source>静音</source>
        <translation>Stumm</translation>
    </message>
    <message>
        <source>音频预览</source>
        <translation>Audiovorschau</translation>
    </message>
    <message>
        <source>内置预览无法播放此文件，修复结果不受影响。</source>
        <translation>Die integrierte Vorschau kann diese Datei nicht abspielen. Das reparierte Ergebnis ist davon nicht betroffen.</translation>
    </message>
</context>
</TS>
