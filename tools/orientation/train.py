#!/usr/bin/python3
"""Trains the page-orientation network on pages from render_pages.py.

Class k means: the upright page was turned clockwise on screen by k x 90 degrees. The capture
turns the picture by minus the detected angle (counter-clockwise), which makes it upright again.

The learning-rate schedule is tied to a wall-clock budget (--minutes) so that a run on a busy
machine still finishes on time; a checkpoint is written every few minutes and at the end.

Usage: /usr/bin/python3 train.py --data train.npy [extra.npy ...] --out body.pt [--minutes 30] [--threads 2]
                                [--init body.pt [body2.pt ...]] [--keep N]
Several page files are pooled into one set. --init continues from an earlier checkpoint (with a
shorter warm-up), which is how the later rounds were trained; several checkpoints of the network
are averaged first. --keep N also writes the weights at N evenly spaced points of the last third of
the schedule (body.1.pt ... body.N.pt, the last one equal to body.pt) for export_onnx.py to average.
The checkpoint holds the body's weights (OrientationBody); export_onnx.py adds the 2 x 2 pool.
"""
import argparse
import math
import os
import re
import time

import numpy as np
import torch
import torch.nn.functional as F

from model import MEAN, STD, OrientationBody


def rendered_rows(data_path, total):
    """Rows the renderer has finished so far (training may start while it still runs)."""
    log = os.path.join(os.path.dirname(os.path.abspath(data_path)), "render.log")
    if os.path.exists(log):
        hits = re.findall(r"rendered (\d+)", open(log).read())
        if hits:
            return min(total, int(hits[-1]))
    return total


def pooled_pages(path, rows):
    """The rendered 224 x 224 pages averaged over 2 x 2 blocks (the network's first layer), as uint8."""
    data = np.load(path, mmap_mode="r")
    rows = rows or rendered_rows(path, len(data))
    out = np.empty((rows, 112, 112, 3), np.uint8)
    for i in range(0, rows, 500):
        block = data[i:min(rows, i + 500)].astype(np.float32)
        out[i:i + 500] = np.round(block.reshape(-1, 112, 2, 112, 2, 3).mean(axis=(2, 4)))
    return out


def augment(x, rng):
    """Light photometric and translation jitter; x is float N x 3 x H x W in 0..255, changed in place."""
    n = x.shape[0]
    a = torch.from_numpy(rng.uniform(0.75, 1.2, (n, 1, 1, 1)).astype(np.float32))
    b = torch.from_numpy(rng.uniform(-30, 25, (n, 1, 1, 1)).astype(np.float32))
    x.mul_(a).add_(b)
    for i in np.flatnonzero(rng.random(n) < 0.2):
        x[i] = x[i].mean(dim=0, keepdim=True)
    dx, dy = rng.integers(-5, 6, 2)
    x = torch.roll(x, shifts=(int(dy), int(dx)), dims=(2, 3))
    return x.clamp_(0, 255).round_()


def make_batch(data, rows, batch, rng):
    """A balanced batch: a quarter of the pages for each class, turned accordingly."""
    idx = np.sort(rng.choice(rows, batch, replace=False))
    pages = np.asarray(data[idx])
    q = batch // 4
    turned = np.concatenate([np.rot90(pages[k * q:(k + 1) * q], -k, axes=(1, 2)) for k in range(4)])
    x = torch.from_numpy(np.ascontiguousarray(turned.transpose(0, 3, 1, 2))).float()
    x = augment(x, rng)
    mean = torch.tensor(MEAN).view(1, 3, 1, 1) * 255.0
    std = torch.tensor(STD).view(1, 3, 1, 1) * 255.0
    x = (x - mean) / std
    y = torch.arange(4).repeat_interleave(q)
    return x, y


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--data", required=True, nargs="+")
    ap.add_argument("--init", nargs="+", help="checkpoint(s) to continue from (several are averaged)")
    ap.add_argument("--keep", type=int, default=0, help="snapshots kept over the last third of the schedule")
    ap.add_argument("--warmup", type=float, default=0.05, help="share of the budget spent raising the rate")
    ap.add_argument("--out", required=True)
    ap.add_argument("--minutes", type=float, default=30)
    ap.add_argument("--threads", type=int, default=2)
    ap.add_argument("--batch", type=int, default=64)
    ap.add_argument("--lr", type=float, default=3e-3)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--rows", type=int, default=0, help="use the first N pages (0: all the renderer finished)")
    args = ap.parse_args()
    torch.set_num_threads(args.threads)
    torch.manual_seed(args.seed)
    rng = np.random.default_rng(args.seed)
    data = np.concatenate([pooled_pages(p, args.rows if i == 0 else 0) for i, p in enumerate(args.data)])
    print("%d pages" % len(data), flush=True)
    model = OrientationBody()
    if args.init:
        states = [torch.load(p, map_location="cpu") for p in args.init]
        model.load_state_dict({k: (sum(s[k].float() for s in states) / len(states)).to(v.dtype) if v.is_floating_point() else states[-1][k]
                               for k, v in states[0].items()})
    snapshots = list(np.linspace(2 / 3, 1, args.keep + 1)[1:]) if args.keep else []
    stem = os.path.splitext(args.out)[0]
    opt = torch.optim.AdamW(model.parameters(), lr=args.lr, weight_decay=5e-4)
    budget = args.minutes * 60
    start = time.time()
    last_save, step, seen = start, 0, 0
    run_loss, run_acc = 0.0, 0.0
    while True:
        elapsed = time.time() - start
        if elapsed > budget:
            break
        frac = elapsed / budget
        lr = args.lr * (frac / args.warmup if frac < args.warmup else 0.5 * (1 + math.cos(math.pi * frac)))
        for g in opt.param_groups:
            g["lr"] = lr
        rows = len(data)
        x, y = make_batch(data, rows, args.batch, rng)
        model.train()
        out = model(x)
        loss = F.cross_entropy(out, y, label_smoothing=0.05)
        opt.zero_grad()
        loss.backward()
        opt.step()
        step += 1
        seen += len(y)
        run_loss = 0.98 * run_loss + 0.02 * loss.item()
        run_acc = 0.98 * run_acc + 0.02 * (out.argmax(1) == y).float().mean().item()
        if step % 20 == 0:
            print("step %d seen %d rows %d lr %.5f loss %.3f acc %.3f  %.0fs" % (step, seen, rows, lr, run_loss, run_acc, elapsed), flush=True)
        if snapshots and frac >= snapshots[0] and len(snapshots) > 1:
            torch.save(model.state_dict(), "%s.%d.pt" % (stem, args.keep - len(snapshots) + 1))
            snapshots.pop(0)
        if time.time() - last_save > 180:
            torch.save(model.state_dict(), args.out)
            last_save = time.time()
    torch.save(model.state_dict(), args.out)
    if args.keep:
        torch.save(model.state_dict(), "%s.%d.pt" % (stem, args.keep))
    print("done: %d steps, %d samples" % (step, seen), flush=True)


if __name__ == "__main__":
    main()
