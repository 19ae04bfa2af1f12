#!/usr/bin/env python3
"""Makes <count> small files under <folder> in nested folders, 50 files to a folder, three levels deep."""
import os
import sys

FILES_PER_FOLDER = 50


def make_tree(folder, count):
    for leaf in range((count + FILES_PER_FOLDER - 1) // FILES_PER_FOLDER):
        path = os.path.join(folder, f"L{leaf // 100:03d}", f"M{leaf // 10 % 10}", f"N{leaf % 10}")
        os.makedirs(path, exist_ok=True)
        first = leaf * FILES_PER_FOLDER
        for index in range(first, min(first + FILES_PER_FOLDER, count)):
            with open(os.path.join(path, f"t{index:06d}.tmp"), "wb") as f:
                f.write(b"x" * 100)


if __name__ == "__main__":
    make_tree(sys.argv[1], int(sys.argv[2]))
