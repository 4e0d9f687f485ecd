#!/usr/bin/python3
"""Holds our AES-128 against the cryptography package's on random keys and blocks.

Usage: aes_crosscheck.py [--count N] [--seed S] -- COMMAND...   (COMMAND runs aes_vector_tool)
"""
import argparse
import random
import subprocess
import sys

from cryptography.hazmat.primitives.ciphers import Cipher, algorithms, modes


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("command", nargs="+")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    cases = [(rng.randbytes(16), rng.randbytes(16)) for _ in range(args.count)]
    lines = "".join(f"{k.hex()} {b.hex()}\n" for k, b in cases)
    run = subprocess.run(args.command, input=lines, capture_output=True, text=True, timeout=120)
    if run.returncode != 0:
        print(f"tool failed ({run.returncode}): {run.stderr}", file=sys.stderr)
        return 1
    answers = [line.split() for line in run.stdout.splitlines() if line.strip()]
    if len(answers) != len(cases):
        print(f"expected {len(cases)} answers, got {len(answers)}", file=sys.stderr)
        return 1
    failures = 0
    for (key, block), answer in zip(cases, answers):
        cipher = Cipher(algorithms.AES(key), modes.ECB())
        encrypted = cipher.encryptor().update(block)
        decrypted = cipher.decryptor().update(block)
        if answer != [encrypted.hex(), decrypted.hex()]:
            failures += 1
            print(f"key {key.hex()} block {block.hex()}: ours {answer}, "
                  f"theirs {[encrypted.hex(), decrypted.hex()]}", file=sys.stderr)
    print(f"{len(cases) - failures} passed, {failures} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
