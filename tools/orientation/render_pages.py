#!/usr/bin/python3
"""Renders synthetic document pages for the page-orientation classifier.

Each sample is rendered straight into the geometry the detector feeds its network: the page is
scaled so that its shorter side is 256 pixels and the centred 224 x 224 square is kept. We draw at
twice that size and shrink with area interpolation, as the detector does with a large capture.
Samples are stored upright; the training script turns them by 0/90/180/270 degrees itself.

Fonts and layouts are split in two disjoint sets: `train` and `eval` (held out), so the evaluation
measures pages whose type faces and arrangements the network never saw.

`extra` draws training pages in the layouts added later only (training fonts). `all` draws every
training layout with the training fonts and further families (MORE_FONTS), sets some paragraphs
justified, and adds running heads and folios in varying places, so that no single edge cue tells up
from down.

Usage: render_pages.py --split train|extra|all|eval --count N --out FILE.npy [--seed S] [--workers 2]
Writes an uint8 array N x 224 x 224 x 3 in B, G, R order (what cv::Mat hands the detector).
"""
import argparse
import math
import multiprocessing as mp
import os
import random

import cv2
import numpy as np
from PIL import Image, ImageDraw, ImageFont

CROP = 224
SHORT = 256
SS = 2  # supersampling factor of the drawing canvas
CANVAS = CROP * SS

F = "/usr/share/fonts/"
# (path, face index, script). Families of the two splits never overlap.
TRAIN_FONTS = [
    (F + "truetype/dejavu/DejaVuSans.ttf", 0, "latin"),
    (F + "truetype/dejavu/DejaVuSans-Bold.ttf", 0, "latin"),
    (F + "truetype/dejavu/DejaVuSerif.ttf", 0, "latin"),
    (F + "truetype/dejavu/DejaVuSerif-Italic.ttf", 0, "latin"),
    (F + "truetype/dejavu/DejaVuSansCondensed.ttf", 0, "latin"),
    (F + "truetype/dejavu/DejaVuSansMono.ttf", 0, "latin"),
    (F + "truetype/freefont/FreeSans.ttf", 0, "latin"),
    (F + "truetype/freefont/FreeSerif.ttf", 0, "latin"),
    (F + "truetype/freefont/FreeSerifItalic.ttf", 0, "latin"),
    (F + "truetype/freefont/FreeMono.ttf", 0, "latin"),
    (F + "opentype/urw-base35/NimbusSans-Regular.otf", 0, "latin"),
    (F + "opentype/urw-base35/NimbusRoman-Regular.otf", 0, "latin"),
    (F + "opentype/urw-base35/NimbusRoman-Bold.otf", 0, "latin"),
    (F + "opentype/urw-base35/NimbusMonoPS-Regular.otf", 0, "latin"),
    (F + "opentype/urw-base35/NimbusSansNarrow-Regular.otf", 0, "latin"),
    (F + "opentype/urw-base35/C059-Roman.otf", 0, "latin"),
    (F + "opentype/urw-base35/P052-Roman.otf", 0, "latin"),
    (F + "opentype/urw-base35/URWGothic-Book.otf", 0, "latin"),
    (F + "truetype/lato/Lato-Regular.ttf", 0, "latin"),
    (F + "truetype/lato/Lato-Bold.ttf", 0, "latin"),
    (F + "truetype/lato/Lato-Light.ttf", 0, "latin"),
    (F + "truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf", 0, "latin"),
    (F + "truetype/roboto/unhinted/RobotoTTF/Roboto-Medium.ttf", 0, "latin"),
    (F + "truetype/roboto/unhinted/RobotoCondensed-Regular.ttf", 0, "latin"),
    (F + "opentype/cantarell/Cantarell-Regular.otf", 0, "latin"),
    (F + "truetype/crosextra/Caladea-Regular.ttf", 0, "latin"),
    (F + "truetype/liberation/LiberationSans-Regular.ttf", 0, "latin"),
    (F + "truetype/liberation/LiberationSansNarrow-Regular.ttf", 0, "latin"),
    (F + "truetype/liberation/LiberationMono-Regular.ttf", 0, "latin"),
    (F + "truetype/fonts-go/Go-Regular.ttf", 0, "latin"),
    (F + "truetype/fonts-go/Go-Mono.ttf", 0, "latin"),
    (F + "truetype/noto/NotoMono-Regular.ttf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyretermes-regular.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrepagella-regular.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrebonum-regular.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyreadventor-regular.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyrecursor-regular.otf", 0, "latin"),
    (F + "opentype/noto/NotoSansCJK-Regular.ttc", 2, "cjk"),
    (F + "opentype/noto/NotoSansCJK-Bold.ttc", 2, "cjk"),
    (F + "truetype/wqy/wqy-microhei.ttc", 0, "cjk"),
    (F + "truetype/wqy/wqy-zenhei.ttc", 0, "cjk"),
    (F + "truetype/arphic/uming.ttc", 0, "cjk"),
    (F + "opentype/ipafont-gothic/ipag.ttf", 0, "ja"),
    (F + "opentype/ipafont-mincho/ipam.ttf", 0, "ja"),
    (F + "truetype/unfonts-core/UnDotum.ttf", 0, "ko"),
    (F + "truetype/unfonts-core/UnBatang.ttf", 0, "ko"),
]
# Further training families, used by the `all` split only (older splits render as they always did).
MORE_FONTS = [
    (F + "opentype/ebgaramond/EBGaramond12-Regular.otf", 0, "latin"),
    (F + "opentype/ebgaramond/EBGaramond12-Italic.otf", 0, "latin"),
    (F + "opentype/linux-libertine/LinLibertine_R.otf", 0, "latin"),
    (F + "opentype/linux-libertine/LinLibertine_RB.otf", 0, "latin"),
    (F + "opentype/linux-libertine/LinBiolinum_R.otf", 0, "latin"),
    (F + "truetype/charis/CharisSIL-Regular.ttf", 0, "latin"),
    (F + "truetype/charis/CharisSIL-Bold.ttf", 0, "latin"),
    (F + "truetype/andika/Andika-Regular.ttf", 0, "latin"),
    (F + "truetype/hack/Hack-Regular.ttf", 0, "latin"),
    (F + "opentype/cabin/Cabin-Regular.otf", 0, "latin"),
    (F + "truetype/oxygen/Oxygen-Sans.ttf", 0, "latin"),
    (F + "truetype/fanwood/FanwoodText.otf", 0, "latin"),
    (F + "opentype/stix/STIXGeneral-Regular.otf", 0, "latin"),
    (F + "opentype/junicode/JunicodeTwoBeta-Regular.otf", 0, "latin"),
    (F + "truetype/firacode/FiraCode-Regular.ttf", 0, "latin"),
    (F + "truetype/inconsolata/Inconsolata.otf", 0, "latin"),
    (F + "truetype/lxgw-wenkai/LXGWWenKai-Regular.ttf", 0, "cjk"),
    (F + "truetype/lxgw-wenkai/LXGWWenKai-Bold.ttf", 0, "cjk"),
    (F + "opentype/mplus/Mplus1-Regular.otf", 0, "ja"),
    (F + "opentype/mplus/Mplus2-Regular.otf", 0, "ja"),
    (F + "truetype/vlgothic/VL-PGothic-Regular.ttf", 0, "ja"),
    (F + "truetype/nanum/NanumMyeongjo.ttf", 0, "ko"),
    (F + "truetype/nanum/NanumGothic.ttf", 0, "ko"),
    (F + "truetype/nanum/NanumBarunGothic.ttf", 0, "ko"),
    (F + "truetype/baekmuk/batang.ttf", 0, "ko"),
    (F + "truetype/baekmuk/gulim.ttf", 0, "ko"),
]
EVAL_FONTS = [
    (F + "truetype/liberation/LiberationSerif-Regular.ttf", 0, "latin"),
    (F + "truetype/liberation/LiberationSerif-Bold.ttf", 0, "latin"),
    (F + "truetype/open-sans/OpenSans-Regular.ttf", 0, "latin"),
    (F + "truetype/open-sans/OpenSans-Semibold.ttf", 0, "latin"),
    (F + "truetype/crosextra/Carlito-Regular.ttf", 0, "latin"),
    (F + "opentype/urw-base35/URWBookman-Light.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyreschola-regular.otf", 0, "latin"),
    ("/usr/share/texmf/fonts/opentype/public/tex-gyre/texgyreheroscn-regular.otf", 0, "latin"),
    (F + "truetype/noto/NotoSansMono-Regular.ttf", 0, "latin"),
    (F + "truetype/arphic/ukai.ttc", 0, "cjk"),
    (F + "opentype/noto/NotoSerifCJK-Regular.ttc", 2, "cjk"),
    (F + "opentype/noto/NotoSerifCJK-Bold.ttc", 2, "cjk"),
    (F + "truetype/unfonts-core/UnGraphic.ttf", 0, "ko"),
]

WORDS = (
    "the of and to in is you that it he was for on are as with his they at be this have from or one had by "
    "word but not what all were we when your can said there use an each which she do how their if will up other "
    "about out many then them these so some her would make like him into time has look two more write go see number "
    "no way could people my than first water been call who oil its now find long down day did get come made may part "
    "report account invoice total amount payment date customer service order delivery address company office meeting "
    "agreement contract section page chapter table figure results analysis system document library student teacher "
    "school university research project review summary introduction conclusion method data value price quantity tax "
    "Monday January Street Road City Ltd Inc Dear Sincerely Please Thank regards following information available"
).split()

CJK_CHARS = (
    "的一是在不了有和人这中大为上个国我以要他时来用们生到作地于出就分对成会可主发年动同工也能下过子说产种面而方后多定"
    "行学法所民得经十三之进着等部度家电力里如水化高自二理起小物现实加量都两体制机当使点从业本去把性好应开它合还因由其"
    "些然前外天政四日那社义事平形相全表间样与关各重新线内数正心反你明看原又么利比或但质气第向道命此变条只没结解问意建"
    "月公无系军很情者最立代想已通并提直题党程展五果料象员革位入常文总次品式活设及管特件长求老头基资边流路级少图山统接"
    "知较将组见计别她手角期根论运农指几九区强放决西被干做必战先回则任取据处府研四报告单位金额日期合同发票客户服务"
)
CJK_PUNCT = "，。、；：！？"
KANA = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをんアイウエオカキクケコサシスセソタチツテト"


def rnd_word(rng):
    r = rng.random()
    if r < 0.07:
        return str(rng.randint(1, 99999)) if rng.random() < 0.5 else "%d.%02d" % (rng.randint(0, 9999), rng.randint(0, 99))
    w = rng.choice(WORDS)
    if rng.random() < 0.08:
        w = w.capitalize()
    if rng.random() < 0.02:
        w = w.upper()
    return w


def latin_text(rng, n):
    out, cap = [], True
    for _ in range(n):
        w = rnd_word(rng)
        if cap:
            w = w.capitalize()
            cap = False
        r = rng.random()
        if r < 0.08:
            w += "."
            cap = True
        elif r < 0.14:
            w += ","
        elif r < 0.15:
            w = "(" + w + ")"
        out.append(w)
    return out


def cjk_text(rng, n, script):
    s = []
    for _ in range(n):
        r = rng.random()
        if script == "ko":
            if r < 0.12:
                s.append(" ")
            else:
                s.append(chr(0xAC00 + rng.randrange(19) * 588 + rng.randrange(21) * 28 + (rng.randrange(28) if rng.random() < 0.5 else 0)))
        elif script == "ja" and r < 0.45:
            s.append(rng.choice(KANA))
        elif r < 0.07:
            s.append(rng.choice(CJK_PUNCT))
        elif r < 0.09:
            s.append(str(rng.randint(0, 9)))
        else:
            s.append(rng.choice(CJK_CHARS))
    return s


class Ctx:
    """Drawing state: canvas, offset of the crop in page coordinates, colours, fonts."""

    def __init__(self, rng, fonts, img, ox, oy):
        self.rng = rng
        self.img = img
        self.draw = ImageDraw.Draw(img)
        self.ox, self.oy = ox, oy
        self.fonts = fonts
        self.cache = {}
        self.ink = tuple(int(v) for v in rng.choice([(20, 20, 20), (0, 0, 0), (40, 40, 50), (20, 30, 90), (60, 60, 60)]))
        self.accent = tuple(rng.randint(0, 160) for _ in range(3))
        self.justify = False  # set left-aligned Latin paragraphs flush on both sides

    def font(self, face, size):
        size = max(5, int(size))
        key = (face[0], face[1], size)
        if key not in self.cache:
            self.cache[key] = ImageFont.truetype(face[0], size, index=face[1])
        return self.cache[key]

    def visible(self, y0, y1):
        return y1 >= self.oy - 4 and y0 <= self.oy + CANVAS + 4

    def text(self, x, y, s, font, fill=None):
        self.draw.text((x - self.ox, y - self.oy), s, font=font, fill=fill or self.ink)

    def line(self, x0, y0, x1, y1, width=1, fill=None):
        self.draw.line((x0 - self.ox, y0 - self.oy, x1 - self.ox, y1 - self.oy), fill=fill or self.ink, width=width)

    def rect(self, x0, y0, x1, y1, fill=None, outline=None, width=1):
        self.draw.rectangle((x0 - self.ox, y0 - self.oy, x1 - self.ox, y1 - self.oy), fill=fill, outline=outline, width=width)


def tokens(ctx, face, n):
    if face[2] == "latin":
        return latin_text(ctx.rng, n), " "
    return cjk_text(ctx.rng, n, face[2]), ""


def paragraph(ctx, face, x, y, width, size, spacing, align="left", indent=0, max_y=1e9, nwords=None, fill=None):
    """Lays out words into lines; returns the y below the paragraph."""
    rng = ctx.rng
    font = ctx.font(face, size)
    lh = size * spacing
    toks, sep = tokens(ctx, face, nwords or rng.randint(15, 120))
    sepw = font.getlength(sep) if sep else 0
    lines, cur, curw = [], [], indent
    for t in toks:
        w = font.getlength(t)
        if cur and curw + sepw + w > width:
            lines.append((cur, curw))
            cur, curw = [], 0
        cur.append(t)
        curw += (sepw if len(cur) > 1 else 0) + w
    if cur:
        lines.append((cur, curw))
    for i, (ln, lw) in enumerate(lines):
        if y + lh > max_y:
            break
        if ctx.visible(y, y + lh):
            lx = x + (indent if i == 0 else 0)
            if align == "center":
                lx = x + (width - lw) / 2
            elif align == "right":
                lx = x + width - lw
            gaps = len(ln) - 1
            if ctx.justify and align == "left" and sep == " " and gaps > 0 and i < len(lines) - 1:
                # word spacing stretched so the line ends at the right margin, as typeset books do
                extra = (x + width - lx - lw) / gaps
                for t in ln:
                    ctx.text(lx, y, t, font, fill)
                    lx += font.getlength(t) + sepw + extra
            else:
                ctx.text(lx, y, sep.join(ln), font, fill)
        y += lh
    return y


def pick_size(rng):
    # body text height in canvas pixels (twice the pixels the network sees)
    return math.exp(rng.uniform(math.log(8.5), math.log(30)))


def photo(ctx, x0, y0, x1, y1):
    """A photograph or chart: smooth colour field with blobs."""
    rng = ctx.rng
    w, h = int(x1 - x0), int(y1 - y0)
    if w < 4 or h < 4:
        return
    small = np.random.default_rng(rng.randrange(1 << 30)).integers(0, 255, (3, 4, 3)).astype(np.uint8)
    field = cv2.resize(small, (w, h), interpolation=cv2.INTER_CUBIC)
    im = Image.fromarray(field)
    d = ImageDraw.Draw(im)
    for _ in range(rng.randint(1, 6)):
        cx, cy, r = rng.randrange(w), rng.randrange(h), rng.randint(3, max(4, min(w, h) // 2))
        d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=tuple(rng.randint(0, 255) for _ in range(3)))
    ctx.img.paste(im, (int(x0 - ctx.ox), int(y0 - ctx.oy)))


# ---------------------------------------------------------------- layouts
def lay_article(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.05, 0.13)
    x, w, y = m, pw - 2 * m, ph * rng.uniform(0.04, 0.1)
    if rng.random() < 0.4:
        ctx.text(m, y, " ".join(latin_text(rng, 3)) if face[2] == "latin" else "".join(cjk_text(rng, 6, face[2])), ctx.font(face, size * 0.8))
        y += size * 1.6
        ctx.line(m, y, pw - m, y)
        y += size
    y = paragraph(ctx, face, x, y, w, size * rng.uniform(1.4, 2.4), 1.3, rng.choice(["left", "center"]), nwords=rng.randint(3, 9)) + size
    spacing, indent = rng.uniform(1.15, 1.8), rng.choice([0, size * 2])
    while y < ph - m:
        if rng.random() < 0.12:
            y = paragraph(ctx, face, x, y + size * 0.5, w, size * 1.3, 1.3, nwords=rng.randint(2, 7), fill=ctx.accent) + size * 0.3
        y = paragraph(ctx, face, x, y, w, size, spacing, indent=indent, max_y=ph - m) + size * rng.uniform(0.3, 1.2)
    if rng.random() < 0.5:
        ctx.text(pw / 2, ph - m * 0.6, str(rng.randint(1, 300)), ctx.font(face, size * 0.9))


def lay_columns(ctx, face, pw, ph, size, ncol=2, rules=False, masthead=False):
    rng = ctx.rng
    m = pw * rng.uniform(0.04, 0.09)
    y = ph * rng.uniform(0.03, 0.08)
    if masthead:
        y = paragraph(ctx, face, m, y, pw - 2 * m, size * rng.uniform(2.5, 4), 1.2, "center", nwords=rng.randint(1, 3)) + size * 0.4
        ctx.line(m, y, pw - m, y, width=2)
        ctx.line(m, y + 4, pw - m, y + 4)
        y += size
    y = paragraph(ctx, face, m, y, pw - 2 * m, size * rng.uniform(1.5, 2.5), 1.25, nwords=rng.randint(4, 12)) + size
    gap = size * rng.uniform(1.2, 2.5)
    cw = (pw - 2 * m - gap * (ncol - 1)) / ncol
    spacing = rng.uniform(1.15, 1.6)
    for c in range(ncol):
        cx, cy = m + c * (cw + gap), y
        if rules and c > 0:
            ctx.line(cx - gap / 2, y, cx - gap / 2, ph - m)
        while cy < ph - m:
            if rng.random() < 0.15:
                cy = paragraph(ctx, face, cx, cy, cw, size * 1.4, 1.2, nwords=rng.randint(2, 6)) + size * 0.3
            if rng.random() < 0.1:
                hh = cw * rng.uniform(0.4, 0.8)
                photo(ctx, cx, cy, cx + cw, cy + hh)
                cy += hh + size * 0.5
            cy = paragraph(ctx, face, cx, cy, cw, size, spacing, max_y=ph - m) + size * 0.6


def lay_table(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.05, 0.1)
    y = paragraph(ctx, face, m, ph * 0.05, pw - 2 * m, size * 1.8, 1.3, nwords=rng.randint(2, 6)) + size
    if rng.random() < 0.6:
        y = paragraph(ctx, face, m, y, pw - 2 * m, size, 1.4, nwords=rng.randint(20, 60)) + size
    ncol = rng.randint(2, 6)
    widths = np.array([rng.uniform(1, 3) for _ in range(ncol)])
    widths = widths / widths.sum() * (pw - 2 * m)
    rh = size * rng.uniform(1.6, 2.4)
    font = ctx.font(face, size)
    grid = rng.random() < 0.7
    while y < ph - m - rh:
        nrow = rng.randint(3, 25)
        top = y
        for r in range(nrow):
            if y > ph - m - rh:
                break
            if r == 0 and rng.random() < 0.6:
                ctx.rect(m, y, pw - m, y + rh, fill=tuple(rng.randint(190, 235) for _ in range(3)))
            x = m
            if ctx.visible(y, y + rh):
                for c in range(ncol):
                    if face[2] == "latin":
                        s = rnd_word(rng) if c == 0 or rng.random() < 0.4 else "%.2f" % rng.uniform(0, 9999)
                    else:
                        s = "".join(cjk_text(rng, rng.randint(1, 5), face[2])) if c == 0 or rng.random() < 0.5 else str(rng.randint(0, 99999))
                    tw = font.getlength(s)
                    if tw < widths[c] - 4:
                        tx = x + 4 if c == 0 else x + widths[c] - tw - 4
                        ctx.text(tx, y + (rh - size) / 2 - size * 0.1, s, font)
                    x += widths[c]
            y += rh
            if grid or r == 0:
                ctx.line(m, y, pw - m, y)
        if grid:
            x = m
            for c in range(ncol + 1):
                ctx.line(x, top, x, y)
                if c < ncol:
                    x += widths[c]
            ctx.line(m, top, pw - m, top)
        y += size * 2
        if y < ph - m:
            y = paragraph(ctx, face, m, y, pw - 2 * m, size, 1.4, max_y=ph - m, nwords=rng.randint(10, 50)) + size


def lay_list(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.06, 0.12)
    y = paragraph(ctx, face, m, ph * 0.06, pw - 2 * m, size * 1.8, 1.3, nwords=rng.randint(2, 6)) + size
    numbered = rng.random() < 0.5
    ind = size * rng.uniform(1.5, 3)
    font = ctx.font(face, size)
    i = 1
    while y < ph - m:
        if rng.random() < 0.15:
            y = paragraph(ctx, face, m, y + size * 0.5, pw - 2 * m, size * 1.3, 1.2, nwords=rng.randint(2, 5)) + size * 0.3
        if ctx.visible(y, y + size):
            if numbered:
                ctx.text(m, y, "%d." % i, font)
            else:
                r = size * 0.18
                ctx.draw.ellipse((m + r - ctx.ox, y + size * 0.45 - r - ctx.oy, m + 3 * r - ctx.ox, y + size * 0.45 + r - ctx.oy), fill=ctx.ink)
        y = paragraph(ctx, face, m + ind, y, pw - 2 * m - ind, size, rng.uniform(1.15, 1.5), max_y=ph - m, nwords=rng.randint(4, 40)) + size * 0.4
        i += 1


def lay_receipt(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.04, 0.08)
    w = pw - 2 * m
    y = ph * 0.03
    y = paragraph(ctx, face, m, y, w, size * 1.5, 1.2, "center", nwords=rng.randint(1, 4))
    y = paragraph(ctx, face, m, y, w, size, 1.3, "center", nwords=rng.randint(4, 12)) + size * 0.5
    font = ctx.font(face, size)
    while y < ph - m:
        if rng.random() < 0.1:
            ctx.text(m, y, "-" * int(w / max(1, font.getlength("-"))), font)
            y += size * 1.4
            continue
        if ctx.visible(y, y + size):
            left = " ".join(rnd_word(rng) for _ in range(rng.randint(1, 3))) if face[2] == "latin" else "".join(cjk_text(rng, rng.randint(2, 6), face[2]))
            right = "%.2f" % rng.uniform(0, 999)
            ctx.text(m, y, left, font)
            ctx.text(m + w - font.getlength(right), y, right, font)
        y += size * rng.uniform(1.2, 1.5)


def lay_photo(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.05, 0.1)
    y = paragraph(ctx, face, m, ph * 0.05, pw - 2 * m, size * 2, 1.3, nwords=rng.randint(2, 7)) + size
    while y < ph - m:
        if rng.random() < 0.35:
            full = rng.random() < 0.5
            w = pw - 2 * m if full else (pw - 2 * m) * rng.uniform(0.4, 0.6)
            h = w * rng.uniform(0.4, 0.9)
            photo(ctx, m, y, m + w, y + h)
            if not full:
                paragraph(ctx, face, m + w + size, y, pw - 2 * m - w - size, size, 1.35, max_y=y + h)
            y += h + size * 0.4
            y = paragraph(ctx, face, m, y, pw - 2 * m, size * 0.8, 1.2, nwords=rng.randint(3, 15)) + size * 0.8
        y = paragraph(ctx, face, m, y, pw - 2 * m, size, rng.uniform(1.2, 1.6), max_y=ph - m) + size * 0.8


def lay_letter(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.08, 0.14)
    w = pw - 2 * m
    y = ph * 0.05
    y = paragraph(ctx, face, m, y, w, size * rng.uniform(1.6, 2.6), 1.2, rng.choice(["right", "center", "left"]), nwords=rng.randint(1, 3), fill=ctx.accent)
    y = paragraph(ctx, face, m, y, w, size * 0.8, 1.3, rng.choice(["right", "center"]), nwords=rng.randint(5, 12)) + size * 2
    for _ in range(rng.randint(2, 5)):
        y = paragraph(ctx, face, m, y, w * 0.45, size, 1.3, nwords=rng.randint(2, 5))
    y += size
    y = paragraph(ctx, face, m, y, w, size, 1.3, "right", nwords=3) + size
    y = paragraph(ctx, face, m, y, w, size, 1.3, nwords=2) + size * 0.5
    sp = rng.uniform(1.2, 1.7)
    while y < ph * 0.8:
        y = paragraph(ctx, face, m, y, w, size, sp, max_y=ph * 0.82) + size
    y = paragraph(ctx, face, m, y, w, size, 1.3, nwords=2) + size * 0.5
    pts = [(m + i * size * 0.6 - ctx.ox, y + size * (0.5 + 0.6 * math.sin(i * rng.uniform(0.8, 2))) - ctx.oy) for i in range(rng.randint(6, 14))]
    ctx.draw.line(pts, fill=(20, 30, 120), width=2)
    paragraph(ctx, face, m, y + size * 2, w, size, 1.3, nwords=3)


def lay_form(ctx, face, pw, ph, size):
    rng = ctx.rng
    m = pw * rng.uniform(0.05, 0.1)
    w = pw - 2 * m
    y = paragraph(ctx, face, m, ph * 0.04, w, size * 2, 1.2, "center", nwords=rng.randint(2, 5)) + size
    font = ctx.font(face, size)
    while y < ph - m:
        r = rng.random()
        if r < 0.15:
            ctx.rect(m, y, pw - m, y + size * 1.6, fill=tuple(rng.randint(170, 225) for _ in range(3)))
            paragraph(ctx, face, m + size * 0.4, y + size * 0.25, w, size, 1.2, nwords=rng.randint(1, 4))
            y += size * 2.4
        elif r < 0.3:
            for k in range(rng.randint(2, 4)):
                x = m + k * w / 4
                ctx.rect(x, y + size * 0.15, x + size * 0.8, y + size * 0.95, outline=ctx.ink)
                if rng.random() < 0.3:
                    ctx.line(x + 2, y + size * 0.5, x + size * 0.4, y + size * 0.9, width=2)
                    ctx.line(x + size * 0.4, y + size * 0.9, x + size, y)
                s = " ".join(rnd_word(rng) for _ in range(rng.randint(1, 2))) if face[2] == "latin" else "".join(cjk_text(rng, 3, face[2]))
                ctx.text(x + size * 1.2, y, s, font)
            y += size * 1.8
        else:
            ncol = rng.choice([1, 1, 2])
            cw = w / ncol
            for c in range(ncol):
                x = m + c * cw
                s = (" ".join(rnd_word(rng) for _ in range(rng.randint(1, 3))) if face[2] == "latin" else "".join(cjk_text(rng, rng.randint(2, 5), face[2]))) + ":"
                if ctx.visible(y, y + size):
                    ctx.text(x, y, s, font)
                    ctx.line(x + font.getlength(s) + size * 0.4, y + size * 1.1, x + cw - size, y + size * 1.1)
            y += size * rng.uniform(1.8, 2.6)



# Layouts added for the second training round. They bring cues the first six lacked (label/value
# grids, headers and dates set flush right, sparse pages, cards) while staying different from the
# held-out letter, underlined-field form and ruled three-column page.
def short_text(ctx, face, lo, hi):
    rng = ctx.rng
    if face[2] == "latin":
        return " ".join(rnd_word(rng) for _ in range(rng.randint(lo, hi)))
    return "".join(cjk_text(rng, rng.randint(lo * 2, hi * 2), face[2]))


def lay_kv_grid(ctx, face, pw, ph, size):
    """Boxed cells, each a small caption over its value (an application sheet, a bill of lading)."""
    rng = ctx.rng
    m = pw * rng.uniform(0.04, 0.09)
    w = pw - 2 * m
    y = paragraph(ctx, face, m, ph * 0.04, w, size * rng.uniform(1.5, 2.2), 1.2, rng.choice(["left", "center", "right"]), nwords=rng.randint(1, 5)) + size * 0.6
    small, big = ctx.font(face, size * 0.7), ctx.font(face, size)
    shade = rng.random() < 0.4
    while y < ph - m:
        if rng.random() < 0.15:
            ctx.rect(m, y, pw - m, y + size * 1.4, fill=ctx.ink if rng.random() < 0.3 else tuple(rng.randint(170, 220) for _ in range(3)))
            y += size * 1.8
            continue
        ncell = rng.choice([1, 2, 2, 3, 3, 4])
        cuts = sorted(rng.uniform(0.15, 0.85) for _ in range(ncell - 1))
        xs = [m] + [m + c * w for c in cuts] + [pw - m]
        rh = size * rng.uniform(2.0, 2.8)
        if ctx.visible(y, y + rh):
            for c in range(ncell):
                x0, x1 = xs[c], xs[c + 1]
                ctx.rect(x0, y, x1, y + rh, outline=ctx.ink, fill=(235, 235, 240) if shade and c % 2 == 0 else None)
                ctx.text(x0 + size * 0.2, y + size * 0.1, short_text(ctx, face, 1, 3), small)
                if rng.random() < 0.75:
                    v = short_text(ctx, face, 1, 4) if rng.random() < 0.6 else "%d" % rng.randint(1, 999999)
                    if big.getlength(v) < x1 - x0 - size * 0.4:
                        vx = x0 + size * 0.3 if rng.random() < 0.7 else x1 - big.getlength(v) - size * 0.3
                        ctx.text(vx, y + rh - size * 1.25, v, big)
        y += rh


def lay_business(ctx, face, pw, ph, size):
    """Invoice or report front: logo block on one side, address and date set flush right, a body."""
    rng = ctx.rng
    m = pw * rng.uniform(0.06, 0.12)
    w = pw - 2 * m
    y = ph * rng.uniform(0.03, 0.07)
    logo_right = rng.random() < 0.35
    if rng.random() < 0.6:
        lw = w * rng.uniform(0.12, 0.3)
        lh = lw * rng.uniform(0.3, 0.9)
        lx = pw - m - lw if logo_right else m
        if rng.random() < 0.5:
            ctx.rect(lx, y, lx + lw, y + lh, fill=ctx.accent)
        else:
            photo(ctx, lx, y, lx + lw, y + lh)
    hx = m if logo_right else m + w * rng.uniform(0.4, 0.6)
    hy = y
    for _ in range(rng.randint(2, 6)):
        hy = paragraph(ctx, face, hx, hy, pw - m - hx, size * rng.uniform(0.75, 1.0), 1.25, "left" if logo_right else "right", nwords=rng.randint(1, 4))
    y = max(hy, y + size * 3) + size
    if rng.random() < 0.7:
        y = paragraph(ctx, face, m, y, w, size * rng.uniform(1.6, 2.8), 1.2, rng.choice(["left", "right", "center"]), nwords=rng.randint(1, 3), fill=ctx.accent) + size * 0.5
    if rng.random() < 0.5:
        ctx.line(m, y, pw - m, y, width=rng.randint(1, 3))
        y += size
    while y < ph - m:
        r = rng.random()
        if r < 0.25:
            font = ctx.font(face, size)
            for _ in range(rng.randint(2, 8)):
                if y > ph - m:
                    break
                left, right = short_text(ctx, face, 1, 4), "%.2f" % rng.uniform(0, 99999)
                ctx.text(m, y, left, font)
                ctx.text(pw - m - font.getlength(right), y, right, font)
                y += size * 1.5
            y += size * 0.5
        elif r < 0.35:
            y = paragraph(ctx, face, m, y, w, size, 1.3, "right", nwords=rng.randint(2, 8)) + size * 0.5
        else:
            y = paragraph(ctx, face, m, y, w, size, rng.uniform(1.15, 1.6), indent=rng.choice([0, size * 2]), max_y=ph - m) + size * 0.8


def lay_sparse(ctx, face, pw, ph, size):
    """A nearly empty page: a title, a few lines, perhaps a signature block low on the page."""
    rng = ctx.rng
    m = pw * rng.uniform(0.08, 0.15)
    w = pw - 2 * m
    y = ph * rng.uniform(0.05, 0.3)
    for _ in range(rng.randint(1, 5)):
        al = rng.choice(["left", "left", "center", "right"])
        y = paragraph(ctx, face, m, y, w * rng.uniform(0.5, 1.0) if al == "left" else w, size * rng.uniform(0.9, 2.2), 1.3, al, nwords=rng.randint(1, 25))
        y += size * rng.uniform(0.5, 6)
    if rng.random() < 0.5:
        sx = m + w * rng.uniform(0.0, 0.5)
        sy = ph * rng.uniform(0.6, 0.85)
        ctx.line(sx, sy, sx + w * 0.4, sy)
        paragraph(ctx, face, sx, sy + size * 0.3, w * 0.45, size * 0.8, 1.2, nwords=rng.randint(1, 4))


def lay_card(ctx, face, pw, ph, size):
    """ID or membership cards on a page: picture box, bold title strip, label / value lines."""
    rng = ctx.rng
    m = pw * rng.uniform(0.05, 0.1)
    cw = pw - 2 * m
    y = ph * rng.uniform(0.04, 0.12)
    while y < ph - m:
        ch = cw * rng.uniform(0.55, 0.68)
        ctx.rect(m, y, m + cw, y + ch, outline=ctx.ink, fill=tuple(rng.randint(200, 250) for _ in range(3)))
        sh = ch * rng.uniform(0.15, 0.22)
        ctx.rect(m, y, m + cw, y + sh, fill=ctx.accent)
        tf = ctx.font(face, sh * 0.55)
        ctx.text(m + cw * 0.05, y + sh * 0.2, short_text(ctx, face, 1, 3), tf, fill=(250, 250, 250))
        photo_left = rng.random() < 0.7
        px0 = m + cw * 0.05 if photo_left else m + cw * 0.68
        photo(ctx, px0, y + sh + ch * 0.08, px0 + cw * 0.27, y + ch * 0.9)
        tx = m + cw * (0.37 if photo_left else 0.05)
        font = ctx.font(face, size * 0.9)
        ly = y + sh + ch * 0.08
        while ly < y + ch * 0.88 - size:
            lab = short_text(ctx, face, 1, 2) + ":"
            ctx.text(tx, ly, lab, font)
            ctx.text(tx + font.getlength(lab) + size * 0.5, ly, short_text(ctx, face, 1, 2), font)
            ly += size * 1.4
        y += ch + size * rng.uniform(2, 6)


def lay_memo(ctx, face, pw, ph, size):
    """Memo or minutes: a heading, a block of label / value header lines, a rule, body paragraphs."""
    rng = ctx.rng
    m = pw * rng.uniform(0.07, 0.13)
    w = pw - 2 * m
    y = ph * rng.uniform(0.04, 0.1)
    y = paragraph(ctx, face, m, y, w, size * rng.uniform(2, 3.5), 1.2, rng.choice(["left", "right"]), nwords=1) + size
    font = ctx.font(face, size)
    bold_lab = ctx.font(face, size * 1.05)
    tab = size * rng.uniform(4, 7)
    for _ in range(rng.randint(3, 6)):
        ctx.text(m, y, short_text(ctx, face, 1, 1) + ":", bold_lab)
        ctx.text(m + tab, y, short_text(ctx, face, 1, 5), font)
        y += size * 1.6
    ctx.line(m, y, pw - m, y, width=2)
    y += size * 1.2
    sp = rng.uniform(1.2, 1.6)
    while y < ph - m:
        y = paragraph(ctx, face, m, y, w, size, sp, max_y=ph - m) + size * rng.uniform(0.5, 1.2)


def furniture(ctx, face, pw, ph, size):
    """Running head and folio: small text in the top or bottom margin, left, centred or right, so a
    short isolated line near one edge says nothing about which edge is the top."""
    rng = ctx.rng
    m = pw * 0.06
    small = ctx.font(face, size * rng.uniform(0.65, 0.9))
    for _ in range(rng.randint(1, 2)):
        top = rng.random() < 0.5
        y = ph * rng.uniform(0.012, 0.03) if top else ph * rng.uniform(0.955, 0.975)
        s = str(rng.randint(1, 400)) if rng.random() < 0.5 else short_text(ctx, face, 1, 5)
        w = small.getlength(s)
        x = rng.choice([m, (pw - w) / 2, pw - m - w])
        ctx.text(x, y, s, small)
        if rng.random() < 0.3:
            ry = y + size * 1.1 if top else y - size * 0.4
            ctx.line(m, ry, pw - m, ry)


EXTRA_LAYOUTS = [lay_kv_grid, lay_business, lay_sparse, lay_card, lay_memo]

TRAIN_LAYOUTS = [lay_article, lay_columns, lay_table, lay_list, lay_receipt, lay_photo]
EVAL_LAYOUTS = [lay_letter, lay_form, lambda c, s, pw, ph, sz: lay_columns(c, s, pw, ph, sz, 3, True, True)]


# ---------------------------------------------------------------- one sample
def render(seed, split):
    rng = random.Random(seed)
    nrng = np.random.default_rng(seed)
    fonts = EVAL_FONTS if split == "eval" else TRAIN_FONTS + MORE_FONTS if split == "all" else TRAIN_FONTS
    layouts = {"train": TRAIN_LAYOUTS, "extra": EXTRA_LAYOUTS, "all": TRAIN_LAYOUTS + EXTRA_LAYOUTS, "eval": EVAL_LAYOUTS}[split]
    # CJK pages a third of the time
    pool = [f for f in fonts if (f[2] != "latin") == (rng.random() < 0.33)] or fonts
    face = rng.choice(pool)
    layout = rng.choice(layouts)
    if layout is lay_receipt:
        aspect = rng.uniform(1.8, 3.2)
    else:
        aspect = rng.choice([1.414, 1.294, 1.414, rng.uniform(1.0, 1.6)])
    landscape = rng.random() < 0.2 and layout is not lay_receipt
    # an uncropped capture: the page sits on the desk, smaller than the frame
    on_desk = rng.random() < 0.15
    fw, fh = (SHORT * SS * aspect, SHORT * SS) if landscape else (SHORT * SS, SHORT * SS * aspect)
    if on_desk:
        frame_aspect = rng.choice([16 / 9, 4 / 3])
        fw, fh = (SHORT * SS * frame_aspect, SHORT * SS) if rng.random() < 0.8 else (SHORT * SS, SHORT * SS * frame_aspect)
    ox, oy = (fw - CANVAS) / 2, (fh - CANVAS) / 2

    paper = np.array([rng.randint(225, 255), rng.randint(225, 255), rng.randint(215, 255)])
    if rng.random() < 0.5:
        paper[:] = rng.randint(232, 255)
    img = Image.new("RGB", (CANVAS, CANVAS), tuple(int(v) for v in paper))
    pw, ph = fw, fh
    px, py = 0.0, 0.0
    if on_desk:
        scale = rng.uniform(0.55, 0.9)
        ph = fh * scale
        pw = ph / aspect if not landscape else ph * aspect
        pw = min(pw, fw * 0.95)
        px, py = (fw - pw) / 2 + rng.uniform(-0.05, 0.05) * fw, (fh - ph) / 2 + rng.uniform(-0.05, 0.05) * fh
        desk = (nrng.integers(20, 140, 3)).astype(np.uint8)
        tex = cv2.resize(nrng.integers(0, 60, (8, 8)).astype(np.uint8), (CANVAS, CANVAS), interpolation=cv2.INTER_CUBIC)
        arr = np.clip(desk[None, None, :].astype(int) + tex[..., None] - 30 + nrng.normal(0, 6, (CANVAS, CANVAS, 1)), 0, 255).astype(np.uint8)
        img = Image.fromarray(arr)
        d = ImageDraw.Draw(img)
        d.rectangle((px - ox, py - oy, px + pw - ox, py + ph - oy), fill=tuple(int(v) for v in paper))
    ctx = Ctx(rng, fonts, img, ox - px, oy - py)
    size = pick_size(rng)
    if layout is lay_receipt:
        size *= 1.3
    if split == "all":
        ctx.justify = rng.random() < 0.35
        if rng.random() < 0.4:
            furniture(ctx, face, pw, ph, size)
    layout(ctx, face, pw, ph, size)

    a = np.asarray(img).astype(np.float32)
    # small residual skew and perspective, as a cropped photograph keeps
    if rng.random() < 0.7:
        ang = rng.uniform(-3, 3)
        M = cv2.getRotationMatrix2D((CANVAS / 2, CANVAS / 2), ang, rng.uniform(0.97, 1.06))
        a = cv2.warpAffine(a, M, (CANVAS, CANVAS), borderMode=cv2.BORDER_REFLECT)
    if rng.random() < 0.4:
        d = CANVAS * 0.04
        src = np.float32([[0, 0], [CANVAS, 0], [CANVAS, CANVAS], [0, CANVAS]])
        dst = src + nrng.uniform(-d, d, (4, 2)).astype(np.float32)
        a = cv2.warpPerspective(a, cv2.getPerspectiveTransform(src, dst), (CANVAS, CANVAS), borderMode=cv2.BORDER_REFLECT)
    # uneven light and shadow
    yy, xx = np.mgrid[0:CANVAS, 0:CANVAS].astype(np.float32) / CANVAS
    light = 1.0 - rng.uniform(0, 0.45) * (rng.uniform(-1, 1) * (xx - 0.5) + rng.uniform(-1, 1) * (yy - 0.5) + 0.5)
    if rng.random() < 0.4:
        cx, cy = rng.random(), rng.random()
        light *= 1.0 - rng.uniform(0, 0.3) * np.exp(-((xx - cx) ** 2 + (yy - cy) ** 2) / rng.uniform(0.05, 0.5))
    if rng.random() < 0.2:
        # a hard-edged shadow across the page
        nx, ny = rng.uniform(-1, 1), rng.uniform(-1, 1)
        side = (xx - 0.5) * nx + (yy - 0.5) * ny > rng.uniform(-0.3, 0.3)
        light = np.where(side, light * rng.uniform(0.55, 0.85), light)
    a *= light[..., None]
    if rng.random() < 0.5:
        s = rng.uniform(0.3, 2.2)
        a = cv2.GaussianBlur(a, (0, 0), s)
    a = np.clip(a, 0, 255).astype(np.uint8)
    a = cv2.resize(a, (CROP, CROP), interpolation=cv2.INTER_AREA)
    a = a.astype(np.float32) + nrng.normal(0, rng.uniform(0, 7), a.shape).astype(np.float32)
    a = np.clip(a, 0, 255).astype(np.uint8)
    bgr = a[..., ::-1].copy()
    if rng.random() < 0.4:
        ok, enc = cv2.imencode(".jpg", bgr, [cv2.IMWRITE_JPEG_QUALITY, rng.randint(35, 90)])
        bgr = cv2.imdecode(enc, cv2.IMREAD_COLOR)
    return bgr


def _work(args):
    seeds, split = args
    return np.stack([render(s, split) for s in seeds])


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--split", choices=["train", "extra", "all", "eval"], required=True)
    ap.add_argument("--count", type=int, required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--workers", type=int, default=2)
    args = ap.parse_args()
    cv2.setNumThreads(1)
    base = args.seed * 10_000_000 + {"train": 0, "extra": 2_500_000, "eval": 5_000_000, "all": 7_500_000}[args.split]
    seeds = [base + i for i in range(args.count)]
    chunks = [(seeds[i:i + 200], args.split) for i in range(0, len(seeds), 200)]
    out = np.lib.format.open_memmap(args.out, mode="w+", dtype=np.uint8, shape=(args.count, CROP, CROP, 3))
    pos = 0
    with mp.Pool(args.workers) as pool:
        for arr in pool.imap(_work, chunks):
            out[pos:pos + len(arr)] = arr
            pos += len(arr)
            print("rendered", pos, flush=True)
    out.flush()


if __name__ == "__main__":
    main()
