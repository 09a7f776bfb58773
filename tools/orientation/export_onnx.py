#!/usr/bin/python3
"""Exports the trained body (train.py's checkpoint) with its 2 x 2 input pool as ONNX that OpenCV
4.6's importer reads (opset 11, fixed 1 x 3 x 224 x 224 input), then checks that OpenCV gives the
same scores as PyTorch on a few rendered pages.

Usage: /usr/bin/python3 export_onnx.py --ckpt body.pt --out rapid_orientation.onnx [--check eval.npy]
"""
import argparse

import cv2
import numpy as np
import torch

from model import MEAN, STD, OrientationBody, OrientationNet


def normalised_blob(bgr224):
    x = bgr224.astype(np.float32) / 255.0
    x = (x - np.array(MEAN, np.float32)) / np.array(STD, np.float32)
    return x.transpose(2, 0, 1)[None].copy()


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--ckpt", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--check")
    args = ap.parse_args()
    body = OrientationBody()
    body.load_state_dict(torch.load(args.ckpt, map_location="cpu"))
    net = OrientationNet(body).eval()
    dummy = torch.zeros(1, 3, 224, 224)
    torch.onnx.export(net, dummy, args.out, opset_version=11, input_names=["input"], output_names=["scores"],
                      do_constant_folding=True)
    cv_net = cv2.dnn.readNetFromONNX(args.out)
    pages = np.load(args.check, mmap_mode="r")[:16] if args.check else np.random.default_rng(0).integers(0, 255, (4, 224, 224, 3), dtype=np.uint8)
    worst = 0.0
    for page in pages:
        blob = normalised_blob(np.asarray(page))
        cv_net.setInput(blob)
        a = cv_net.forward().reshape(-1)
        with torch.no_grad():
            b = net(torch.from_numpy(blob)).numpy().reshape(-1)
        worst = max(worst, float(np.abs(a - b).max()))
    print("OpenCV %s reads %s; largest score difference to PyTorch over %d pages: %.2e" % (cv2.__version__, args.out, len(pages), worst))
    if worst > 1e-3:
        raise SystemExit("scores differ")


if __name__ == "__main__":
    main()
