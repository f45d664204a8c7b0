#!/usr/bin/env python3
"""Checks the line between the Qt-free core and the desktop program.

Qt code lives in folders named qt (shell/qt, conversion/qt, tests/method/qt ...). Outside
them no source includes a Qt header or a generated form, nothing includes a header from
a qt folder, and no CMake file names Qt; inside them no CMake file adds to the core.

    check_layers.py ROOT        checks the tree under ROOT
    check_layers.py --self-test checks that each kind of crossing is caught
"""
import os
import re
import sys
import tempfile

QT_HEADER = re.compile(r'^\s*#\s*include\s*[<"](Q[A-Za-z]|qt|ui_)', re.M)
QT_FOLDER_HEADER = re.compile(r'^\s*#\s*include\s*"([^"]*/)?qt/', re.M)
QT_IN_CMAKE = re.compile(r'\bQt6\b')
ADDS_TO_CORE = re.compile(r'target_sources\s*\(\s*slanter_core\b')
SKIPPED = {'.git', 'build', 'data'}


def in_qt_folder(relative):
    return 'qt' in relative.split(os.sep)[:-1]


def crossings(root):
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders if d not in SKIPPED)
        for name in sorted(files):
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, root)
            qt = in_qt_folder(relative)
            if name.endswith(('.cpp', '.h')):
                with open(path, encoding='utf-8', errors='replace') as source:
                    text = source.read()
                if not qt and QT_HEADER.search(text):
                    found.append(f'{relative}: includes Qt outside a qt folder')
                if not qt and QT_FOLDER_HEADER.search(text):
                    found.append(f'{relative}: includes the desktop layer')
            elif name == 'CMakeLists.txt':
                with open(path, encoding='utf-8') as script:
                    text = script.read()
                if not qt and QT_IN_CMAKE.search(text):
                    found.append(f'{relative}: links Qt outside a qt folder')
                if qt and ADDS_TO_CORE.search(text):
                    found.append(f'{relative}: adds Qt code to the core')
    return found


def self_test():
    include = '#' + 'include '
    files = {
        'engine/Core.cpp': include + '"engine/Slanter.h"\n',
        'engine/Leaky.cpp': include + '<QString>\n',
        'engine/Form.cpp': include + '"ui_MainForm.h"\n',
        'bitmap/Reach.h': include + '"shell/qt/MainForm.h"\n',
        'cli/CMakeLists.txt': 'target_link_libraries(x Qt6::Gui)\n',
        'shell/qt/MainForm.cpp': include + '<QWidget>\n' + include + '"shell/qt/Help.h"\n',
        'shell/qt/CMakeLists.txt': 'target_sources(slanter_core PRIVATE MainForm.cpp)\n',
        'tests/shell/qt/MainFormTest.cpp': include + '<QTest>\n',
    }
    expected = ['bitmap/Reach.h', 'cli/CMakeLists.txt', 'engine/Form.cpp',
                'engine/Leaky.cpp', 'shell/qt/CMakeLists.txt']
    with tempfile.TemporaryDirectory() as root:
        for relative, text in files.items():
            path = os.path.join(root, relative)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w', encoding='utf-8') as out:
                out.write(text)
        caught = sorted(line.split(':')[0] for line in crossings(root))
    if caught != expected:
        print(f'caught {caught}, expected {expected}')
        return 1
    print('every kind of crossing is caught')
    return 0


def main(argv):
    if argv[1:] == ['--self-test']:
        return self_test()
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = crossings(argv[1])
    for line in found:
        print(line)
    print(f'{len(found)} crossings of the line between the core and the desktop program')
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
