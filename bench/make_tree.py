#!/usr/bin/env python3
"""Makes <count> small files under <folder>, in one of two shapes:
   nested (default): 100-byte files, 50 to a folder, three levels of folders;
   flat: 10-byte files, 100 to a folder, one level of folders."""
import os
import sys

SHAPES = {
    "nested": (50, 100, lambda leaf: os.path.join(f"L{leaf // 100:03d}", f"M{leaf // 10 % 10}", f"N{leaf % 10}")),
    "flat": (100, 10, lambda leaf: f"D{leaf:04d}"),
}


def make_tree(folder, count, shape):
    per_folder, size, leaf_path = SHAPES[shape]
    for leaf in range((count + per_folder - 1) // per_folder):
        path = os.path.join(folder, leaf_path(leaf))
        os.makedirs(path, exist_ok=True)
        first = leaf * per_folder
        for index in range(first, min(first + per_folder, count)):
            with open(os.path.join(path, f"t{index:06d}.tmp"), "wb") as f:
                f.write(b"x" * size)


if __name__ == "__main__":
    make_tree(sys.argv[1], int(sys.argv[2]), sys.argv[3] if len(sys.argv) > 3 else "nested")
