#!/usr/bin/python3
"""Exports the trained body (train.py's checkpoint) with its 2 x 2 input pool as ONNX that OpenCV
4.6's importer reads (opset 11, fixed 1 x 3 x 224 x 224 input), then checks that OpenCV gives the
same scores as PyTorch on a few rendered pages.

With --calibrate PAGES (training-split pages the network has not seen, never the held-out set) the
scores are scaled by one temperature, folded into the last layer, that best fits the averaged
probabilities the detector computes; the ranking of the four classes does not change, only how
sure the network says it is, which the cautious 180 rule reads.

With several --ckpt checkpoints of the same network (a run and its continuation from it) their
weights are averaged, batch-norm statistics included; the average of the first round and the round
continued on the added layouts keeps what each does well.

Usage: /usr/bin/python3 export_onnx.py --ckpt body.pt [body2.pt ...] --out rapid_orientation.onnx [--check eval.npy]
                                       [--calibrate val.npy [extraval.npy ...]]
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


def turned_logits(net, pages):
    """Scores of every page in each of its four clockwise turns: N x 4 (turn) x 4 (class)."""
    out = []
    with torch.no_grad():
        for page in pages:
            blobs = [normalised_blob(np.ascontiguousarray(np.rot90(np.asarray(page), -k))) for k in range(4)]
            out.append(net(torch.from_numpy(np.concatenate(blobs))).numpy())
    return np.stack(out)


def fit_temperature(logits):
    """The scale of the scores minimising the log loss of the detector's averaged probabilities."""
    best = (1e9, 1.0)
    for t in np.arange(0.5, 6.01, 0.05):
        z = logits * t
        p = np.exp(z - z.max(-1, keepdims=True))
        p /= p.sum(-1, keepdims=True)
        loss = 0.0
        for k in range(4):
            # the page turned k, seen through the detector's four extra turns t: view (k + t) mod 4
            avg = np.mean([np.roll(p[:, (k + v) % 4], -v, axis=1) for v in range(4)], axis=0)
            loss -= np.log(avg[:, k] + 1e-12).mean()
        best = min(best, (loss, float(t)))
    return best[1], best[0] / 4


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--ckpt", required=True, nargs="+")
    ap.add_argument("--out", required=True)
    ap.add_argument("--check")
    ap.add_argument("--calibrate", nargs="+")
    args = ap.parse_args()
    body = OrientationBody()
    states = [torch.load(p, map_location="cpu") for p in args.ckpt]
    body.load_state_dict({k: (sum(s[k].float() for s in states) / len(states)).to(v.dtype) if v.is_floating_point() else states[-1][k]
                          for k, v in states[0].items()})
    net = OrientationNet(body).eval()
    if args.calibrate:
        t, loss = fit_temperature(np.concatenate([turned_logits(net, np.load(p, mmap_mode="r")) for p in args.calibrate]))
        print("temperature %.2f (log loss %.4f)" % (t, loss))
        with torch.no_grad():
            body.fc.weight.mul_(t)
            body.fc.bias.mul_(t)
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
