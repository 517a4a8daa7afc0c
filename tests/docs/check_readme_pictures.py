#!/usr/bin/env python3
"""Fails when a Markdown file shows or links a picture that is not in the repository.

    check_readme_pictures.py FILE.md...

Pictures are the targets of ![alt](path), [text](path) ending in an image type and
<img src="path">, relative to the Markdown file; addresses (http:, https:) are not checked.
"""
import os
import re
import sys

TARGET = re.compile(r'\]\(([^)\s]+)\)|<img[^>]*\bsrc="([^"]+)"', re.I)
PICTURE = re.compile(r"\.(png|jpe?g|gif|svg|bmp)$", re.I)


def missing(markdown):
    folder = os.path.dirname(os.path.abspath(markdown))
    text = open(markdown, encoding="utf-8").read()
    for match in TARGET.finditer(text):
        target = match.group(1) or match.group(2)
        if re.match(r"^[a-z]+:", target, re.I) or not (PICTURE.search(target) or match.group(2)):
            continue
        if not os.path.isfile(os.path.join(folder, target)):
            yield target


def main():
    if not sys.argv[1:]:
        sys.exit(__doc__)
    lost = [(path, target) for path in sys.argv[1:] for target in missing(path)]
    for path, target in lost:
        print(f"{path}: no picture {target}")
    sys.exit(1 if lost else 0)


if __name__ == "__main__":
    main()
