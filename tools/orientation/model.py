"""The page-orientation network: a 2 x 2 average pool, eight 3x3 convolutions, global average
pooling, four scores.

The pool halves the detector's 224 x 224 crop to 112 x 112 first; this keeps training affordable
on two busy CPU cores, and the page layout cues (headings, ragged line ends, indents) survive it.
Pooling commutes with the per-channel normalisation, so the body is trained on pooled pages.
Only operators OpenCV 4.6's ONNX importer handles (AveragePool, Conv, Relu, MaxPool,
GlobalAveragePool, Flatten, Gemm) appear in the exported graph.
"""
import torch
import torch.nn as nn

# Input normalisation the detector applies, channel by channel in the matrix's B, G, R order.
MEAN = (0.485, 0.456, 0.406)
STD = (0.229, 0.224, 0.225)

# (out channels, stride, max-pool after), on the 112 x 112 pooled crop
LAYERS = [(16, 2, False), (24, 1, True), (32, 1, False), (48, 1, True),
          (64, 1, False), (96, 1, True), (128, 1, False), (128, 1, False)]


class OrientationBody(nn.Module):
    """Everything after the 2 x 2 pool; trained on 112 x 112 pages."""

    def __init__(self, layers=LAYERS):
        super().__init__()
        mods, cin = [], 3
        for cout, stride, pool in layers:
            mods += [nn.Conv2d(cin, cout, 3, stride, 1, bias=False), nn.BatchNorm2d(cout), nn.ReLU(inplace=True)]
            if pool:
                mods.append(nn.MaxPool2d(2))
            cin = cout
        self.features = nn.Sequential(*mods)
        self.pool = nn.AdaptiveAvgPool2d(1)
        self.fc = nn.Linear(cin, 4)

    def forward(self, x):
        x = self.pool(self.features(x))
        return self.fc(torch.flatten(x, 1))


class OrientationNet(nn.Module):
    """The shipped network: takes the detector's normalised 1 x 3 x 224 x 224 blob."""

    def __init__(self, body):
        super().__init__()
        self.front = nn.AvgPool2d(2)
        self.body = body

    def forward(self, x):
        return self.body(self.front(x))
