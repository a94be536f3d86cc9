#!/usr/bin/env python3
"""Keeps the source folders layered: a folder includes only folders below it.

    check_layers.py [--report] [SRC_DIR]

Without --report it prints every include that runs against the order and
exits 1 when there is one. With --report it also prints the folder-to-folder
include table and the folder cycles, and always exits 0.
"""
import os
import re
import sys

def read_layers(src_dir):
    """The folders of each layer from the ground up (SRC_DIR/layers.txt, which
    the build's libraries follow too). Folders of one layer are siblings and do
    not include each other; every folder may include those of lower layers."""
    with open(os.path.join(src_dir, "layers.txt"), encoding="utf-8") as listing:
        return [line.split() for line in listing if line.strip() and not line.startswith("#")]


INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z0-9_]+)/[^"]+"', re.MULTILINE)


def source_files(src_dir):
    for folder, _, names in os.walk(src_dir):
        for name in sorted(names):
            if name.endswith((".h", ".cpp")):
                yield os.path.join(folder, name)


def top_folder(src_dir, path):
    return os.path.relpath(path, src_dir).split(os.sep)[0]


def collect(src_dir):
    """Every include of one source folder from another: (file, from, to)."""
    includes = []
    for path in source_files(src_dir):
        origin = top_folder(src_dir, path)
        with open(path, encoding="utf-8") as source:
            for target in INCLUDE.findall(source.read()):
                if target != origin:
                    includes.append((os.path.relpath(path, src_dir), origin, target))
    return includes


def violations(includes, layers):
    rank = {folder: number for number, folders in enumerate(layers) for folder in folders}
    faults = []
    for path, origin, target in includes:
        if origin not in rank:
            faults.append(f"{path}: folder '{origin}' has no layer")
        elif target not in rank:
            faults.append(f"{path}: includes '{target}/', which has no layer")
        elif rank[target] >= rank[origin]:
            faults.append(f"{path}: '{origin}' (layer {rank[origin]}) includes '{target}/' (layer {rank[target]})")
    return faults


def folder_cycles(edges):
    """The strongly connected groups of more than one folder (Tarjan)."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for successor in sorted(edges.get(node, ())):
            if successor not in index:
                visit(successor)
                low[node] = min(low[node], low[successor])
            elif successor in on_stack:
                low[node] = min(low[node], index[successor])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    for node in sorted(edges):
        if node not in index:
            visit(node)
    return groups


def report(includes):
    counts = {}
    for _, origin, target in includes:
        counts[(origin, target)] = counts.get((origin, target), 0) + 1
    edges = {}
    for origin, target in counts:
        edges.setdefault(origin, set()).add(target)
    print("includes between folders (from -> to: count):")
    for (origin, target), count in sorted(counts.items()):
        print(f"  {origin} -> {target}: {count}")
    groups = folder_cycles(edges)
    print(f"folder cycles: {len(groups)}")
    for group in groups:
        print("  " + " <-> ".join(group))


def main(argv):
    report_only = "--report" in argv
    paths = [arg for arg in argv if not arg.startswith("--")]
    src_dir = paths[0] if paths else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src")
    includes = collect(src_dir)
    faults = violations(includes, read_layers(src_dir))
    if report_only:
        report(includes)
    for fault in faults:
        print(fault)
    print(f"includes against the layers: {len(faults)}")
    return 0 if report_only or not faults else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
