#!/usr/bin/env python3
"""Checks the line between the core and the two desktop programs.

Qt code lives in folders named qt (shell/qt, conversion/qt, tests/method/qt ...). Outside
them no source includes a Qt header or a generated form, nothing includes a header from
a qt folder, and no CMake file names Qt; inside them no CMake file adds to the core.
Windows code lives in folders named win32 likewise: outside them a Windows header is
included only by a file layer of the core (a file named ...Windows*.cpp, or a block of a
file under #ifdef _WIN32), nothing includes a header from a win32 folder, and no CMake
file inside them adds to the core.

The folders stand in layers, each including only from the layers below it and from
itself: the pattern engine; the bitmap store; the designed forms; the shell's own ground
(identity, texts, settings, the platform's services); the conversion; the
preview; the method window; and on top the main window with the program's start
(shell/main) beside slanter-cli, which needs nothing of the desktop. A qt or win32
folder belongs to the layer of the folder it is in.

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
WINDOWS_HEADER = re.compile(
    r'^\s*#\s*include\s*<(windows|winuser|wingdi|winreg|commctrl|commdlg|shellapi|shlobj|'
    r'objbase|wincodec|io|direct)\.h>', re.I)
WIN32_FOLDER_HEADER = re.compile(r'^\s*#\s*include\s*"([^"]*/)?win32/', re.M)
CONDITION = re.compile(r'^\s*#\s*(if|ifdef|ifndef|elif|else|endif)\b(.*)')
SKIPPED = {'.git', 'build', 'data'}
# Bottom first; folders of one layer include nothing of each other.
LAYERS = [['engine'], ['bitmap'], ['forms'], ['shell'], ['conversion'], ['preview'], ['method'],
          ['shell/main', 'cli']]
LAYER_OF = {folder: rank for rank, folders in enumerate(LAYERS) for folder in folders}
OWN_INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def layer_folder(path):
    """The layer folder a path of the tree lies in (the longest that fits), or None."""
    parts = path.replace(os.sep, '/').split('/')
    for length in range(len(parts) - 1, 0, -1):
        folder = '/'.join(parts[:length])
        if folder in LAYER_OF:
            return folder
    return None


def upward_includes(relative, text):
    """The includes of a file that reach a layer above its own or beside it."""
    own = layer_folder(relative)
    if own is None:
        return []
    found = []
    for included in OWN_INCLUDE.findall(text):
        target = layer_folder(included)
        if target is None or target == own:
            continue
        if LAYER_OF[target] >= LAYER_OF[own]:
            found.append(f'{relative}: includes {included}, which is not below {own}/')
    return found


def in_qt_folder(relative):
    return 'qt' in relative.split(os.sep)[:-1]


def in_win32_layer(relative):
    name = os.path.basename(relative)
    return 'win32' in relative.split(os.sep)[:-1] or re.search(r'Windows\w*\.cpp$', name)


def windows_headers_outside_win32_blocks(text):
    """Whether a Windows header is included where the preprocessor does not keep it to
    Windows: outside every #if whose branch holds only on _WIN32."""
    branches = []  # per open conditional: whether the branch taken now is Windows only
    for line in text.splitlines():
        condition = CONDITION.match(line)
        if condition:
            kind, rest = condition.groups()
            windows = '_WIN32' in rest
            if kind in ('if', 'ifdef'):
                branches.append(windows and '!' not in rest)
            elif kind == 'ifndef':
                branches.append(False)
            elif kind == 'elif' and branches:
                branches[-1] = windows and '!' not in rest
            elif kind == 'else' and branches:
                branches[-1] = False
            elif kind == 'endif' and branches:
                branches.pop()
        elif WINDOWS_HEADER.match(line) and not any(branches):
            return True
    return False


def crossings(root):
    found = []
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = sorted(d for d in subfolders if d not in SKIPPED)
        for name in sorted(files):
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, root)
            qt = in_qt_folder(relative)
            win32 = in_win32_layer(relative)
            if name.endswith(('.cpp', '.h')):
                with open(path, encoding='utf-8', errors='replace') as source:
                    text = source.read()
                if not qt and QT_HEADER.search(text):
                    found.append(f'{relative}: includes Qt outside a qt folder')
                if not qt and QT_FOLDER_HEADER.search(text):
                    found.append(f'{relative}: includes the desktop layer')
                if not win32 and windows_headers_outside_win32_blocks(text):
                    found.append(f'{relative}: includes Windows outside a win32 layer')
                if not win32 and WIN32_FOLDER_HEADER.search(text):
                    found.append(f'{relative}: includes the Windows desktop layer')
                found.extend(upward_includes(relative, text))
            elif name == 'CMakeLists.txt':
                with open(path, encoding='utf-8') as script:
                    text = script.read()
                if not qt and QT_IN_CMAKE.search(text):
                    found.append(f'{relative}: links Qt outside a qt folder')
                if qt and ADDS_TO_CORE.search(text):
                    found.append(f'{relative}: adds Qt code to the core')
                if win32 and ADDS_TO_CORE.search(text):
                    found.append(f'{relative}: adds Windows code to the core')
    return found


def self_test():
    include = '#' + 'include '
    files = {
        'engine/Core.cpp': include + '"engine/Slanter.h"\n',
        'engine/Leaky.cpp': include + '<QString>\n',
        'engine/Form.cpp': include + '"ui_MainForm.h"\n',
        'bitmap/Reach.h': include + '"shell/main/qt/MainForm.h"\n',
        'cli/CMakeLists.txt': 'target_link_libraries(x Qt6::Gui)\n',
        'shell/qt/MainForm.cpp': include + '<QWidget>\n' + include + '"shell/qt/Help.h"\n',
        'shell/qt/CMakeLists.txt': 'target_sources(slanter_core PRIVATE MainForm.cpp)\n',
        'tests/shell/qt/MainFormTest.cpp': include + '<QTest>\n',
        'shell/win32/Wnd.cpp': include + '<windows.h>\n' + include + '"shell/win32/Wnd.h"\n',
        'shell/win32/CMakeLists.txt': 'target_sources(slanter_core PRIVATE Wnd.cpp)\n',
        'bitmap/FileLayerWindows.cpp': include + '<windows.h>\n',
        'shell/FileCopy.cpp': '#ifdef _WIN32\n' + include + '<windows.h>\n#else\n' +
                              include + '<unistd.h>\n#endif\n',
        'shell/Bare.cpp': '#ifdef _WIN32\n#else\n' + include + '<windows.h>\n#endif\n',
        'method/Rows.cpp': include + '"shell/win32/Controls.h"\n',
        'engine/Api.cpp': include + '<commctrl.h>\n',
        'bitmap/decoders/Texts.cpp': include + '"shell/General.h"\n',
        'shell/qt/Wide.cpp': include + '"conversion/ResultZoom.h"\n',
        'conversion/Run.cpp': include + '"shell/General.h"\n' + include + '"engine/Slanter.h"\n',
        'cli/Main.cpp': include + '"shell/main/MainPresenter.h"\n',
        'shell/main/qt/Form.cpp': include + '"method/qt/MethodForm.h"\n',
    }
    expected = ['bitmap/Reach.h', 'bitmap/Reach.h', 'bitmap/decoders/Texts.cpp', 'cli/CMakeLists.txt',
                'cli/Main.cpp', 'engine/Api.cpp', 'engine/Form.cpp', 'engine/Leaky.cpp',
                'method/Rows.cpp', 'shell/Bare.cpp', 'shell/qt/CMakeLists.txt',
                'shell/qt/Wide.cpp', 'shell/win32/CMakeLists.txt']
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
