"""Prints the end-to-end tests as module.Class.method, one a line, read from the
sources without importing them (the build lists them, no Wine prefix needed)."""
import ast
import os
import sys

folder = sys.argv[1]
for name in sorted(os.listdir(folder)):
    if not (name.startswith("test_") and name.endswith(".py")):
        continue
    module = name[:-3]
    tree = ast.parse(open(os.path.join(folder, name), encoding="utf-8").read())
    methods = {}  # class -> its test methods, with those of its bases in this file
    for node in tree.body:
        if not isinstance(node, ast.ClassDef):
            continue
        own = [f.name for f in node.body if isinstance(f, ast.FunctionDef) and f.name.startswith("test")]
        inherited = [m for base in node.bases if isinstance(base, ast.Name) for m in methods.get(base.id, [])]
        methods[node.name] = inherited + [m for m in own if m not in inherited]
        for method in methods[node.name]:
            print("%s.%s.%s" % (module, node.name, method))
