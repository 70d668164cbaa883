#!/usr/bin/env python3
"""Fills the translation files from a two-column table (Russian TAB English, one pair a line;
\\r and \\n written as escapes). Russian file: English sources get the Russian text, Russian
sources stay as they are. English file: the other way round. Texts without a pair stay
unfinished, so a missing translation is easy to find.

An optional second table (source TAB Russian, same format) sets the Russian translation of a
source text explicitly, before anything else: a Russian source text with a spelling mistake
is shown corrected, and an English source may get another Russian text than the pair table
gives."""
import re
import sys
import xml.etree.ElementTree as ET

CYR = re.compile('[\u0400-\u04FF]')


def unescape(s):
    return s.replace('\\r', '\r').replace('\\n', '\n').replace('\\t', '\t')


def read_table(path):
    """The (left, right) pairs of a TAB-separated table; blank lines and # comments skipped."""
    with open(path, encoding='utf-8') as f:
        for line in f:
            line = line.rstrip('\n')
            if line and not line.startswith('#') and '\t' in line:
                yield tuple(unescape(x) for x in line.split('\t', 1))


def load_pairs(path):
    ru2en, en2ru = {}, {}
    for ru, en in read_table(path):
        ru2en[ru] = en
        en2ru[en] = ru
    return ru2en, en2ru


def load_russian(path):
    """Source text -> Russian text, from the optional table of explicit Russian texts."""
    return dict(read_table(path))


def full_text(elem):
    """The element's text; lupdate writes a CR as <byte value="xd"/>."""
    parts = [elem.text or '']
    for child in elem:
        if child.tag == 'byte':
            parts.append(chr(int(child.get('value').lstrip('x'), 16)))
        parts.append(child.tail or '')
    return ''.join(parts)


def fill(ts_path, lookup_for_source):
    tree = ET.parse(ts_path)
    missing = 0
    for msg in tree.iter('message'):
        src = full_text(msg.find('source'))
        tr = msg.find('translation')
        if tr is None:
            tr = ET.SubElement(msg, 'translation')
        for child in list(tr):
            tr.remove(child)
        value = lookup_for_source(src)
        if value is None:
            tr.text = tr.text if tr.get('type') != 'unfinished' else None
            if not tr.text:
                tr.set('type', 'unfinished')
                missing += 1
            continue
        tr.text = value
        tr.attrib.pop('type', None)
    tree.write(ts_path, encoding='utf-8', xml_declaration=True)
    with open(ts_path, encoding='utf-8', newline='') as f:
        body = f.read()
    body = body.replace('\r', '&#13;')
    body = body.replace("<?xml version='1.0' encoding='utf-8'?>", '<?xml version="1.0" encoding="utf-8"?>\n<!DOCTYPE TS>', 1)
    with open(ts_path, 'w', encoding='utf-8', newline='') as f:
        f.write(body)
    return missing


def main():
    ru_ts, en_ts, table = sys.argv[1:4]
    ru2en, en2ru = load_pairs(table)
    explicit_ru = load_russian(sys.argv[4]) if len(sys.argv) > 4 else {}

    def to_ru(src):
        if src in explicit_ru:
            return explicit_ru[src]
        if CYR.search(src) or not re.search('[A-Za-z]', src):
            return src
        if src in en2ru:
            return en2ru[src]
        # codes and names (GSM, APN1, HDOP, KVA-CAN) read the same in both languages
        return None if re.search('[a-z]{3,}', src) else src

    def to_en(src):
        if not CYR.search(src):
            return src
        return ru2en.get(src)

    print('terminal_ru: %d without translation' % fill(ru_ts, to_ru))
    print('terminal_en: %d without translation' % fill(en_ts, to_en))


if __name__ == '__main__':
    main()
