#!/usr/bin/env python3
"""Writes the designed forms as a C++ table for the Windows front end, so that the
Japanese captions and the designed bounds have one source: the forms' own .ui files.

usage: form_table.py OUTPUT.h FORM.ui...

Each form becomes an array of DesignedItem rows in document order: every widget, menu and
action with its class, its parent (the widget or menu holding it), its caption (a string
list joined by '|') and its designed bounds; a menu's entries follow it as rows of class
"entry" naming the action, "-" for a separator.
"""
import sys
import xml.etree.ElementTree as ET
from pathlib import Path


def cxx_string(text):
    data = (text or "").encode("utf-8")
    return '"' + "".join(chr(b) if 32 <= b < 127 and chr(b) not in '"\\?' else f"\\{b:03o}"
                         for b in data) + '"'


def caption(node):
    for name in ("windowTitle", "title", "text", "sections"):
        prop = node.find(f"property[@name='{name}']")
        if prop is None:
            continue
        if prop.find("string") is not None:
            return prop.find("string").text or ""
        if prop.find("stringlist") is not None:
            return "|".join(s.text or "" for s in prop.find("stringlist").findall("string"))
    return ""


def bounds(node):
    rect = node.find("property[@name='geometry']/rect")
    if rect is None:
        return (0, 0, 0, 0)
    return tuple(int(rect.find(k).text) for k in ("x", "y", "width", "height"))


def rows(form):
    out = []

    def walk(node, parent):
        for child in node:
            if child.tag == "widget":
                out.append((child.get("name"), child.get("class"), parent, caption(child),
                            bounds(child)))
                walk(child, child.get("name"))
            elif child.tag in ("layout", "item"):
                # Widgets laid out in a layout belong to the widget holding the layout.
                walk(child, parent)
            elif child.tag == "addaction" and parent:
                name = child.get("name")
                out.append(("-" if name == "separator" else name, "entry", parent, "",
                            (0, 0, 0, 0)))
    top = form.find("widget")
    out.append((top.get("name"), top.get("class"), "", caption(top), bounds(top)))
    walk(top, top.get("name"))
    for action in top.findall("action"):
        out.append((action.get("name"), "action", "", caption(action), (0, 0, 0, 0)))
    return top.get("name"), out


def main():
    output, sources = sys.argv[1], sys.argv[2:]
    lines = ["// Made by forms/form_table.py from the forms' .ui files; not to be edited.",
             "#pragma once", "", '#include "shell/win32/DesignedForm.h"', "",
             "namespace slanter::designed {", ""]
    for source in sources:
        name, items = rows(ET.parse(source).getroot())
        lines.append(f"inline constexpr DesignedItem k{name}[] = {{")
        for item_name, cls, parent, text, (x, y, w, h) in items:
            lines.append(f"    {{{cxx_string(item_name)}, {cxx_string(cls)}, "
                         f"{cxx_string(parent)}, {cxx_string(text)}, {x}, {y}, {w}, {h}}},")
        lines.append("};")
        lines.append("")
    lines.append("} // namespace slanter::designed")
    text = "\n".join(lines) + "\n"
    path = Path(output)
    if not path.exists() or path.read_text(encoding="utf-8") != text:
        path.write_text(text, encoding="utf-8")


if __name__ == "__main__":
    main()
