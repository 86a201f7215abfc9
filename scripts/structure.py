#!/usr/bin/env python3
"""Measures the product's structure: project includes per file, circles between modules (a
module is a .h with its .cpp: a.cpp including b.h and b.cpp including a.h is a circle), and the
largest files. Tests, benchmarks and build trees are left out.
  scripts/structure.py [FOLDER...]
"""
import os
import re
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
FOLDERS = sys.argv[1:] or ['base', 'digest', 'logdata', 'campaign', 'reports', 'userlocale',
                           'formats', 'framework', 'dialogfw', 'controls', 'app', 'cli']
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def sources():
    for folder in FOLDERS:
        if not os.path.isdir(os.path.join(ROOT, folder)):
            continue
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(('.cpp', '.h')):
                yield f'{folder}/{name}'


def main():
    files = list(sources())
    includes = {}
    lines = {}
    for f in files:
        text = open(os.path.join(ROOT, f), encoding='utf-8', errors='replace').read()
        includes[f] = [i for i in INCLUDE.findall(text) if os.path.exists(os.path.join(ROOT, i))]
        lines[f] = text.count('\n')
    module = lambda f: os.path.splitext(f)[0]
    edges = {}
    for f, incs in includes.items():
        for i in incs:
            if module(i) != module(f):
                edges.setdefault(module(f), set()).add(module(i))
    circles = []
    seen = set()

    def walk(node, path):
        for nxt in sorted(edges.get(node, ())):
            if nxt in path:
                cycle = path[path.index(nxt):]
                key = frozenset(cycle)
                if key not in seen:
                    seen.add(key)
                    circles.append(cycle + [nxt])
            elif len(path) < 12:
                walk(nxt, path + [nxt])

    for start in sorted(edges):
        walk(start, [start])
    total = sum(len(v) for v in includes.values())
    print(f'{len(files)} files, {sum(lines.values())} lines, '
          f'{total / max(len(files), 1):.1f} project includes per file')
    print(f'{len(circles)} circles between modules')
    for c in circles:
        print('  ' + ' -> '.join(c))
    print('largest files:')
    for f in sorted(files, key=lambda f: -lines[f])[:6]:
        print(f'  {lines[f]:5d} {f}')


if __name__ == '__main__':
    main()
