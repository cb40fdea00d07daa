"""Reads AVEK's window over the AT-SPI bus as a screen reader does, writes
the tree to the file named by the second argument and checks that the
controls are named and the scores read as tables."""
import sys
import time

import gi
gi.require_version('Atspi', '2.0')
from gi.repository import Atspi


def find_app(name):
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            if app is not None and app.get_name() == name:
                return app
        time.sleep(0.2)
    return None


def walk(node, depth, lines, tables, unnamed, focused):
    role, name = node.get_role_name(), node.get_name() or ''
    if node.get_state_set().contains(Atspi.StateType.FOCUSED):
        focused.append(role + ' ' + name)
    line = '  ' * depth + role + ' ' + name
    if role in ('push button', 'check box', 'radio button', 'text', 'table', 'chart') and not name and \
            node.get_state_set().contains(Atspi.StateType.SHOWING):
        unnamed.append(line.strip())
    if 'Table' in node.get_interfaces():
        rows, columns = Atspi.Table.get_n_rows(node), Atspi.Table.get_n_columns(node)
        cells = [[Atspi.Table.get_accessible_at(node, r, c).get_name() for c in range(columns)]
                 for r in range(rows)]
        tables[name] = cells
        lines.append(line + ' [%d x %d] %s' % (rows, columns, cells))
        return
    lines.append(line)
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            walk(child, depth + 1, lines, tables, unnamed, focused)


def main():
    app = find_app(sys.argv[1])
    if app is None:
        print('%s never came onto the accessibility bus' % sys.argv[1])
        return 1
    lines, tables, unnamed, focused = [], {}, [], []
    walk(app, 0, lines, tables, unnamed, focused)
    with open(sys.argv[2], 'w') as dump:
        dump.write('\n'.join(lines) + '\n')
    text = '\n'.join(lines)
    faults = []
    for name in ['text Last name', 'text H-Sens talker level, dB HL', 'radio button MDB 2',
                 'check box L-Sentences 10 SNR', 'push button Next', 'chart WRAU graphs']:
        if name not in text:
            faults.append('nothing reads "%s"' % name)
    if unnamed:
        faults.append('unnamed controls: %s' % unnamed)
    if tables.get('H-Sentences Percent', [[]] * 2)[1][1:2] != ['85.33']:
        faults.append('the Percent table does not read 85.33 for MDB 2 at 10 dB SNR')
    if tables.get('SNR-50', [[]] * 2)[1][0:1] != ['< 10']:
        faults.append('the SNR-50 table does not read "< 10" for MDB 2')
    if 'push button' not in text or ', wrong' not in text:
        faults.append('no key-word button reads its word and mark')
    # The test page's focus stands on the current sentence, which a reader
    # says with where the run stands.
    if not any(f.startswith('label Page 1 of 1, H-Sens, SNR: 15, MDB: 1. Sentence 1 of 10: ') for f in focused):
        faults.append('the focus is not on the current sentence: %s' % focused)
    for fault in faults:
        print(fault)
    print('%d nodes read, %d tables' % (len(lines), len(tables)))
    return 1 if faults else 0


sys.exit(main())
