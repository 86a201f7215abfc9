#!/usr/bin/env python3
"""Measures the product's structure: project includes per file, circles between modules (a
module is a .h with its .cpp: a.cpp including b.h and b.cpp including a.h is a circle), circles
of calls between files, and the largest files. Tests, benchmarks and build trees are left out.

Calls are read from a build's object files: a file calls another when its object uses a symbol
(a function, a class's virtual table, a piece of data) that only the other's object defines.
Without --objects, the native and the Windows builds (build/linux, build/windows) are read where
they exist.
  scripts/structure.py [--objects BUILD_DIR]... [FOLDER...]
"""
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
ALL_FOLDERS = ['base', 'digest', 'logdata', 'campaign', 'reports', 'userlocale', 'formats',
               'framework', 'dialogfw', 'controls', 'app', 'cli']
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)
OBJECT_DIR = re.compile(r'(.*)/CMakeFiles/[^/]+\.dir/(.*)\.(?:o|obj)$')
DEFINED = set('TDBRC')  # strong definitions; weak ones (inline, templates) belong to no file


def arguments(argv):
    objects, folders = [], []
    while argv:
        arg = argv.pop(0)
        if arg == '--objects' and argv:
            objects.append(os.path.abspath(argv.pop(0)))
        else:
            folders.append(arg)
    if not objects:
        objects = [os.path.join(ROOT, 'build', b) for b in ('linux', 'windows')]
    return [d for d in objects if os.path.isdir(d)], folders or ALL_FOLDERS


def sources(folders):
    for folder in folders:
        if not os.path.isdir(os.path.join(ROOT, folder)):
            continue
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(('.cpp', '.h')):
                yield f'{folder}/{name}'


def module(path):
    return os.path.splitext(path)[0]


def find_circles(edges):
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
    return circles


def include_edges(files, includes):
    edges = {}
    for f in files:
        for i in includes[f]:
            if module(i) != module(f):
                edges.setdefault(module(f), set()).add(module(i))
    return edges


def object_files(build, files):
    """The build's objects of the measured sources, as (object, source)."""
    for folder, _, names in os.walk(build):
        for name in names:
            match = OBJECT_DIR.match(os.path.join(folder, name))
            if not match:
                continue
            source = os.path.relpath(os.path.normpath(os.path.join(
                ROOT, os.path.relpath(match.group(1), build),
                match.group(2).replace('__/', '../'))), ROOT)
            if source in files:
                yield os.path.join(folder, name), source


def symbol_tool(path):
    mingw = shutil.which('x86_64-w64-mingw32-nm')
    return mingw if path.endswith('.obj') and mingw else 'nm'


def symbols(path):
    """(defined, used) global symbols of an object file."""
    listing = subprocess.run([symbol_tool(path), '-g', path], capture_output=True, text=True,
                             check=True).stdout
    defined, used = set(), set()
    for line in listing.splitlines():
        parts = line.split()
        if len(parts) >= 2 and parts[-2] == 'U':
            used.add(parts[-1])
        elif len(parts) == 3 and parts[1] in DEFINED:
            defined.add(parts[2])
    return defined, used


def call_edges(build, files):
    """Edges module -> module with one symbol each that makes it."""
    tables = [(source, *symbols(path)) for path, source in object_files(build, files)]
    owners = {}
    for source, defined, _ in tables:
        for name in defined:
            owners.setdefault(name, set()).add(module(source))
    edges, reasons = {}, {}
    for source, _, used in tables:
        for name in sorted(used):
            owner = owners.get(name, set())
            if len(owner) == 1 and module(source) not in owner:
                target = next(iter(owner))
                edges.setdefault(module(source), set()).add(target)
                reasons.setdefault((module(source), target), name)
    return edges, reasons


def demangled(names):
    if not names or not shutil.which('c++filt'):
        return names
    out = subprocess.run(['c++filt'], input='\n'.join(names), capture_output=True, text=True)
    return out.stdout.splitlines() if out.returncode == 0 else names


def print_call_circles(builds, files):
    if not builds:
        print('circles of calls: no build to read (cmake --build --preset linux or windows)')
        return
    edges, reasons = {}, {}
    for build in builds:
        more, why = call_edges(build, files)
        for node, targets in more.items():
            edges.setdefault(node, set()).update(targets)
        for pair, name in why.items():
            reasons.setdefault(pair, name)
    circles = find_circles(edges)
    names = ', '.join(os.path.relpath(b, ROOT) if b.startswith(ROOT + os.sep) else b
                      for b in builds)
    print(f'{len(circles)} circles of calls between files (objects of {names})')
    for c in circles:
        steps = list(zip(c, c[1:]))
        why = demangled([reasons[s] for s in steps])
        print('  ' + ' -> '.join(c))
        for (a, b), name in zip(steps, why):
            print(f'      {a} -> {b}: {name}')


def main():
    builds, folders = arguments(sys.argv[1:])
    files = list(sources(folders))
    includes = {}
    lines = {}
    for f in files:
        text = open(os.path.join(ROOT, f), encoding='utf-8', errors='replace').read()
        includes[f] = [i for i in INCLUDE.findall(text) if os.path.exists(os.path.join(ROOT, i))]
        lines[f] = text.count('\n')
    circles = find_circles(include_edges(files, includes))
    total = sum(len(v) for v in includes.values())
    print(f'{len(files)} files, {sum(lines.values())} lines, '
          f'{total / max(len(files), 1):.1f} project includes per file')
    print(f'{len(circles)} circles between modules')
    for c in circles:
        print('  ' + ' -> '.join(c))
    print_call_circles(builds, set(files))
    print('largest files:')
    for f in sorted(files, key=lambda f: -lines[f])[:6]:
        print(f'  {lines[f]:5d} {f}')


if __name__ == '__main__':
    main()
