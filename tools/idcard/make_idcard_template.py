#!/usr/bin/python3
"""Draws the card-face template the ID-card reader result is painted on: front half above, back half
below, 500 x 316 each. Only captions and neutral decoration; the values are painted by the program at
fixed positions, so the captions here sit just left of those positions. Writes an 8-bit BMP.

Run: /usr/bin/python3 tools/idcard/make_idcard_template.py resources/icons/idcard.bmp
"""
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH, HALF = 500, 316
FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
PAPER = (238, 240, 242)
EDGE = (150, 160, 170)
CAPTION = (90, 100, 112)
PATTERN = (222, 226, 230)


def card(draw, top):
    draw.rounded_rectangle((6, top + 6, WIDTH - 7, top + HALF - 7), radius=18, fill=PAPER, outline=EDGE, width=2)
    # Fine guilloche-like lines, plain geometry, so the face does not look blank.
    for i in range(24, WIDTH - 64, 14):
        draw.line((i, top + HALF - 40, i + 40, top + HALF - 16), fill=PATTERN, width=1)


def main(out):
    img = Image.new("RGB", (WIDTH, 2 * HALF), (255, 255, 255))
    draw = ImageDraw.Draw(img)
    small = ImageFont.truetype(FONT, 14)
    title = ImageFont.truetype(FONT, 24)

    card(draw, 0)
    for text, x, y in (("姓名", 30, 72), ("性别", 30, 110), ("民族", 140, 110), ("出生", 30, 142),
                       ("年", 145, 142), ("月", 200, 142), ("日", 250, 142), ("住址", 30, 176),
                       ("公民身份号码", 30, 273)):
        draw.text((x, y), text, font=small, fill=CAPTION, anchor="ls")
    # Where the photo goes (template width - 150 - 28, 45; 150 x 180).
    draw.rectangle((WIDTH - 178, 45, WIDTH - 28, 225), outline=PATTERN, width=1)

    card(draw, HALF)
    for r in range(10, 70, 8):
        draw.ellipse((84 - r, HALF + 90 - r, 84 + r, HALF + 90 + r), outline=PATTERN, width=2)
    draw.text((WIDTH // 2 + 30, HALF + 80), "身份证件", font=title, fill=CAPTION, anchor="mm")
    draw.text((WIDTH // 2 + 30, HALF + 115), "样式底板", font=small, fill=CAPTION, anchor="mm")
    draw.text((110, HALF + 237), "签发机关", font=small, fill=CAPTION, anchor="ls")
    draw.text((110, HALF + 277), "有效期限", font=small, fill=CAPTION, anchor="ls")

    img.convert("P", palette=Image.ADAPTIVE, colors=64).save(out, "BMP")


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "idcard.bmp")
