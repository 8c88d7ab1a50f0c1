#!/usr/bin/env python3
"""Checks the UI catalogues i18n/<area>.<language>.ts.

Fails when a file is not well-formed, is not named after one of the seven catalogue languages, has an
entry of type "unfinished", "vanished" or "obsolete" or an empty translation, when a translation
drops or adds a %N placeholder, when the languages do not hold the same texts, when a user text of
the code (uiTr, UiText::translated, QT_TRANSLATE_NOOP, qsTr, qsTranslate) has no entry for its
context in every language, or when a catalogue keeps a text the code no longer uses.
"""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

LANGUAGES = ["zh_TW", "en_US", "de_DE", "fr_FR", "it_IT", "ja_JP", "es_ES"]
STRING = r'"(?:[^"\\\n]|\\.)*"'
STRINGS = rf"((?:{STRING}\s*)+)"
QML_STRING = r'"(?:[^"\\\n]|\\.)*"|\'(?:[^\'\\\n]|\\.)*\''


def unquote(literals):
    text = ""
    for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"|\'((?:[^\'\\\n]|\\.)*)\'', literals):
        body = literal[0] or literal[1]
        text += re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m.group(1), m.group(1)), body)
    return text


def code_texts(root):
    """(context, source) -> first place it is used."""
    found = {}
    for path in sorted(p for d in ("common", "app", "services", "platform") for p in (root / d).glob("**/*")
                       if p.suffix in (".cpp", ".h")):
        code = path.read_text(encoding="utf-8")
        context = re.search(r'#define\s+KORVEX_TR_CONTEXT\s+"([^"]*)"', code)
        for match in re.finditer(rf"\buiTr\(\s*{STRINGS}\)", code):
            if context is None:
                raise SystemExit(f"{path}: uiTr without KORVEX_TR_CONTEXT")
            found.setdefault((context.group(1), unquote(match.group(1))), str(path.relative_to(root)))
        for pattern in (rf"\bUiText::translated\(\s*({STRING})\s*,\s*{STRINGS}\)",
                        rf"\bQT_TRANSLATE_NOOP\(\s*({STRING})\s*,\s*{STRINGS}\)"):
            for match in re.finditer(pattern, code):
                found.setdefault((unquote(match.group(1)), unquote(match.group(2))), str(path.relative_to(root)))
    for path in sorted((root / "qml").glob("**/*.qml")):
        code = path.read_text(encoding="utf-8")
        for match in re.finditer(rf"\bqsTr\(\s*((?:{QML_STRING})(?:\s*\+\s*(?:{QML_STRING}))*)\s*[,)]", code):
            found.setdefault((path.stem, unquote(match.group(1))), str(path.relative_to(root)))
        for match in re.finditer(rf"\bqsTranslate\(\s*({QML_STRING})\s*,\s*((?:{QML_STRING})(?:\s*\+\s*(?:{QML_STRING}))*)\s*[,)]", code):
            found.setdefault((unquote(match.group(1)), unquote(match.group(2))), str(path.relative_to(root)))
    return found


def placeholders(text):
    return sorted(set(re.findall(r"%L?(\d+)", text)))


def main(root):
    root = pathlib.Path(root)
    errors = []
    catalogues = {language: {} for language in LANGUAGES}
    files = sorted((root / "i18n").glob("*.ts"))
    if not files:
        errors.append("no i18n/*.ts files")
    for path in files:
        name = path.relative_to(root)
        parts = path.name.split(".")
        if len(parts) != 3 or parts[1] not in LANGUAGES:
            errors.append(f"{name}: name is not <area>.<language>.ts with a catalogue language")
            continue
        language = parts[1]
        try:
            tree = ET.parse(path)
        except ET.ParseError as error:
            errors.append(f"{name}: not well-formed: {error}")
            continue
        ts = tree.getroot()
        if ts.tag != "TS" or ts.get("language") != language:
            errors.append(f"{name}: root must be <TS language=\"{language}\">")
        for context in ts.iter("context"):
            context_name = context.findtext("name") or ""
            for message in context.iter("message"):
                source = message.findtext("source") or ""
                translation = message.find("translation")
                where = f"{name}: [{context_name}] {source!r}"
                if translation is None:
                    errors.append(f"{where}: no translation")
                    continue
                kind = translation.get("type")
                if kind in ("unfinished", "vanished", "obsolete"):
                    errors.append(f"{where}: entry of type {kind}")
                forms = [f.text or "" for f in translation.iter("numerusform")] or [translation.text or ""]
                for form in forms:
                    if not form.strip():
                        errors.append(f"{where}: empty translation")
                    elif placeholders(form) != placeholders(source):
                        errors.append(f"{where}: placeholders {placeholders(form)} differ from the source's")
                key = (context_name, source)
                if key in catalogues[language]:
                    errors.append(f"{where}: also in {catalogues[language][key]}")
                catalogues[language][key] = str(name)

    used = code_texts(root)
    for language in LANGUAGES:
        for key, place in sorted(used.items()):
            if key not in catalogues[language]:
                errors.append(f"{language}: [{key[0]}] {key[1]!r} (used in {place}) has no entry")
        for key, place in sorted(catalogues[language].items()):
            if key not in used:
                errors.append(f"{place}: [{key[0]}] {key[1]!r} is not used in the code any more")
    for error in errors:
        print(error)
    print(f"{len(used)} user texts in the code, {len(files)} catalogue files checked")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "."))
