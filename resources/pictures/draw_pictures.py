#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Draws the app's illustrations (help steps, welcome pages, installation
guide, about screen) as SVG files into this folder. Run it after changing a
drawing; the SVG files it writes are what the app ships."""

import math
import os

INK = "#453d3b"
PAPER = "#e3d7cd"
CARD = "#f5f0eb"
RED = "#c2504a"
GREEN = ("#63a984", "#316d4d")
ORANGE = ("#f68e56", "#9f4f27")
BLUE = ("#6da0c0", "#276381")
SUN = "#f2c14e"
GREY = "#b4a89e"

HERE = os.path.dirname(os.path.abspath(__file__))


class Svg:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.parts = []
        self.gradients = {}

    def add(self, text):
        self.parts.append(text)

    def gradient(self, top, bottom):
        key = (top, bottom)
        if key not in self.gradients:
            self.gradients[key] = "g%d" % len(self.gradients)
        return "url(#%s)" % self.gradients[key]

    def text(self):
        defs = "".join(
            '<linearGradient id="%s" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/>'
            "</linearGradient>" % (name, top, bottom)
            for (top, bottom), name in self.gradients.items())
        return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
                'viewBox="0 0 %d %d"><defs>%s</defs>%s</svg>\n'
                % (self.width, self.height, self.width, self.height, defs, "".join(self.parts)))

    def save(self, name):
        with open(os.path.join(HERE, name + ".svg"), "w", encoding="utf-8") as out:
            out.write(self.text())


# --- shapes -----------------------------------------------------------------

def rect(svg, x, y, w, h, fill, r=0, stroke=None, sw=0):
    line = ' stroke="%s" stroke-width="%g"' % (stroke, sw) if stroke else ""
    svg.add('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"%s/>'
            % (x, y, w, h, r, fill, line))


def circle(svg, x, y, r, fill, stroke=None, sw=0):
    line = ' stroke="%s" stroke-width="%g"' % (stroke, sw) if stroke else ""
    svg.add('<circle cx="%g" cy="%g" r="%g" fill="%s"%s/>' % (x, y, r, fill, line))


def line(svg, x1, y1, x2, y2, colour, sw, cap="round"):
    svg.add('<line x1="%g" y1="%g" x2="%g" y2="%g" stroke="%s" stroke-width="%g" '
            'stroke-linecap="%s"/>' % (x1, y1, x2, y2, colour, sw, cap))


def path(svg, d, fill="none", stroke=None, sw=0):
    line_ = ' stroke="%s" stroke-width="%g" stroke-linecap="round" stroke-linejoin="round"' % (
        stroke, sw) if stroke else ""
    svg.add('<path d="%s" fill="%s"%s/>' % (d, fill, line_))


def ring(svg, x, y, r):
    """The red ring that marks what to touch."""
    circle(svg, x, y, r, "none", RED, max(2.5, r / 6))


def finger(svg, x, y, s=1.0):
    """A hand pointing up, its fingertip at (x, y)."""
    skin = "#f4d2b8"
    rect(svg, x - 8 * s, y + 22 * s, 38 * s, 32 * s, skin, 11 * s, INK, 2 * s)
    for k in range(3):
        rect(svg, x + (6 + k * 8) * s, y + 18 * s, 8 * s, 14 * s, skin, 4 * s, INK, 2 * s)
    rect(svg, x - 6 * s, y, 12 * s, 36 * s, skin, 6 * s, INK, 2 * s)


def touch(svg, x, y, r, s=1.1):
    """The ring around what to touch, and the finger touching it."""
    ring(svg, x, y, r)
    finger(svg, x + 4 * s, y + 12 * s, s)


def arrow(svg, x1, y, x2, colour=INK):
    line(svg, x1, y, x2, y, colour, 4)
    d = -1 if x2 < x1 else 1
    path(svg, "M%g %g l%g -8 M%g %g l%g 8" % (x2, y, -10 * d, x2, y, -10 * d), stroke=colour,
         sw=4)


def bulb(svg, x, y, s, glow=True):
    if glow:
        for k in range(8):
            a = k * math.pi / 4
            line(svg, x + math.cos(a) * 26 * s, y + math.sin(a) * 26 * s,
                 x + math.cos(a) * 36 * s, y + math.sin(a) * 36 * s, SUN, 4 * s)
    circle(svg, x, y, 20 * s, SUN if glow else CARD, INK, 3 * s)
    rect(svg, x - 8 * s, y + 18 * s, 16 * s, 12 * s, INK, 2 * s)


def qr(svg, x, y, size):
    """A code-like square pattern (not a readable code)."""
    rect(svg, x, y, size, size, "white")
    cell = size / 11.0
    for cx, cy in ((0, 0), (8, 0), (0, 8)):
        rect(svg, x + cx * cell, y + cy * cell, 3 * cell, 3 * cell, INK)
        rect(svg, x + (cx + 0.75) * cell, y + (cy + 0.75) * cell, 1.5 * cell, 1.5 * cell, "white")
        rect(svg, x + (cx + 1.1) * cell, y + (cy + 1.1) * cell, 0.8 * cell, 0.8 * cell, INK)
    for cx in range(11):
        for cy in range(11):
            if (cx < 4 and cy < 4) or (cx > 6 and cy < 4) or (cx < 4 and cy > 6):
                continue
            if (cx * 7 + cy * 3 + cx * cy) % 5 < 2:
                rect(svg, x + cx * cell, y + cy * cell, cell, cell, INK)


def transmitter(svg, x, y, s):
    rect(svg, x, y, 120 * s, 56 * s, CARD, 10 * s, INK, 3 * s)
    circle(svg, x + 20 * s, y + 28 * s, 5 * s, "#6cc46c")
    circle(svg, x + 38 * s, y + 28 * s, 5 * s, SUN)
    qr(svg, x + 80 * s, y + 12 * s, 32 * s)
    for r in (18, 30):
        path(svg, "M%g %g a%g %g 0 0 1 %g 0" % (x + 60 * s - r * s, y - 8 * s, r * s, r * s,
                                                 2 * r * s), stroke=INK, sw=3 * s)


# --- a phone with the app's screens -------------------------------------------

class Phone:
    def __init__(self, svg, x, y, w):
        self.svg, self.x, self.y, self.w = svg, x, y, w
        self.h = w * 1.85
        rect(svg, x, y, self.w, self.h, INK, w * 0.12)
        self.sx, self.sy = x + w * 0.06, y + w * 0.16
        self.sw, self.sh = w * 0.88, self.h - w * 0.32
        rect(svg, self.sx, self.sy, self.sw, self.sh, PAPER)
        circle(svg, x + w / 2, y + self.h - w * 0.08, w * 0.05, "#6b605c")

    def px(self, fx):
        return self.sx + fx * self.sw

    def py(self, fy):
        return self.sy + fy * self.sh

    def bar(self, left="menu", right="scan"):
        svg, bh = self.svg, self.sh * 0.1
        rect(svg, self.sx, self.sy, self.sw, bh, INK)
        cy, u = self.sy + bh / 2, self.sw * 0.05
        if left == "menu":
            for k in (-1, 0, 1):
                line(svg, self.px(0.06), cy + k * u * 0.6, self.px(0.16), cy + k * u * 0.6,
                     "white", u * 0.35)
        elif left == "back":
            path(svg, "M%g %g l-%g %g l%g %g" % (self.px(0.12), cy - u, u, u, u, u),
                 stroke="white", sw=u * 0.4)
        if right == "scan":
            rect(svg, self.px(0.84), cy - u, 2 * u, 2 * u, "none", u * 0.3, "white", u * 0.3)
            line(svg, self.px(0.82), cy, self.px(0.96), cy, "white", u * 0.3)
        elif right == "plus":
            line(svg, self.px(0.89), cy - u, self.px(0.89), cy + u, "white", u * 0.4)
            line(svg, self.px(0.89) - u, cy, self.px(0.89) + u, cy, "white", u * 0.4)
        line(svg, self.px(0.38), cy, self.px(0.62), cy, "white", u * 0.5)
        return bh

    def scan_button(self):
        return self.px(0.89), self.sy + self.sh * 0.05

    def plus_button(self):
        return self.px(0.89), self.sy + self.sh * 0.05

    def menu_button(self):
        return self.px(0.11), self.sy + self.sh * 0.05

    def home(self):
        bh = self.bar()
        svg, th = self.svg, self.sh * 0.17
        centres = []
        for k, (top, bottom) in enumerate((GREEN, ORANGE, BLUE)):
            ty = self.sy + bh + k * (th + self.sh * 0.02)
            rect(svg, self.sx, ty, self.sw, th, svg.gradient(top, bottom))
            icon = (bulb_icon, curtain_icon, scene_icon)[k]
            icon(svg, self.px(0.16), ty + th / 2, self.sw * 0.08)
            line(svg, self.px(0.32), ty + th * 0.38, self.px(0.62), ty + th * 0.38, "white",
                 self.sw * 0.05)
            line(svg, self.px(0.32), ty + th * 0.66, self.px(0.78), ty + th * 0.66, "#ffffffaa",
                 self.sw * 0.025)
            centres.append((self.px(0.5), ty + th / 2))
        sy = self.sy + bh + 3 * (th + self.sh * 0.02) + self.sh * 0.06
        for k in range(5):
            circle(svg, self.px(0.1 + k * 0.2), sy, self.sw * 0.07,
                   (INK, SUN, "#5a5a8c", "#78aa6e", INK)[k])
        return centres

    def rows(self, count, colours=None, right=None, top=None):
        svg = self.svg
        y = top if top is not None else self.sy + self.sh * 0.1
        rh = self.sh * 0.11
        out = []
        for k in range(count):
            fill = "#ded2c8" if k % 2 == 0 else "#e8dcd2"
            rect(svg, self.sx, y, self.sw, rh, fill)
            palette = colours or [SUN, "#c87864", "#6da0c0", SUN]
            colour = palette[k % len(palette)]
            circle(svg, self.px(0.12), y + rh / 2, rh * 0.32, colour)
            line(svg, self.px(0.26), y + rh / 2, self.px(0.6), y + rh / 2, "#80807f",
                 self.sw * 0.04)
            if right == "switch":
                rect(svg, self.px(0.74), y + rh * 0.3, self.sw * 0.18, rh * 0.4, "#6cc46c",
                     rh * 0.2)
                circle(svg, self.px(0.88), y + rh / 2, rh * 0.17, "white")
            out.append(y)
            y += rh
        return out, rh

    def swiped_row(self, y, rh, shift, icons):
        """A row moved right, its Edit/Delete panel showing on the left."""
        svg = self.svg
        rect(svg, self.sx, y, shift, rh, INK)
        spots = []
        for k, icon in enumerate(icons):
            cx = self.sx + shift * (k + 0.5) / len(icons)
            (trash_icon if icon == "trash" else pencil_icon)(svg, cx, y + rh / 2, rh * 0.28)
            spots.append((cx, y + rh / 2))
        rect(svg, self.sx + shift, y, self.sw - shift, rh, "#ded2c8")
        circle(svg, self.sx + shift + self.sw * 0.1, y + rh / 2, rh * 0.32, SUN)
        line(svg, self.sx + shift + self.sw * 0.22, y + rh / 2, self.sx + self.sw * 0.95,
             y + rh / 2, "#80807f", self.sw * 0.04)
        return spots

    def menu_open(self, highlight_row=None):
        """The menu uncovered, the main panel pushed to the right."""
        svg = self.svg
        rect(svg, self.sx, self.sy, self.sw, self.sh, INK)
        rows = []
        for k in range(5):
            y = self.sy + self.sh * (0.16 + k * 0.09)
            line(svg, self.px(0.06), y, self.px(0.5), y, "#ffffff" if k != highlight_row
                 else SUN, self.sw * 0.04)
            line(svg, self.px(0.02), y + self.sh * 0.045, self.px(0.8), y + self.sh * 0.045,
                 "#5a504c", 1)
            rows.append((self.px(0.3), y))
        panel_x = self.px(0.78)
        rect(svg, panel_x, self.sy, self.sx + self.sw - panel_x, self.sh, PAPER)
        rect(svg, panel_x, self.sy, self.sx + self.sw - panel_x, self.sh * 0.1, "#5a504c")
        for k, (top, bottom) in enumerate((GREEN, ORANGE, BLUE)):
            rect(svg, panel_x, self.sy + self.sh * (0.1 + k * 0.19), self.sx + self.sw - panel_x,
                 self.sh * 0.17, svg.gradient(top, bottom))
        return rows


def bulb_icon(svg, x, y, s):
    circle(svg, x, y - s * 0.2, s * 0.7, "none", "white", s * 0.2)
    line(svg, x - s * 0.3, y + s * 0.8, x + s * 0.3, y + s * 0.8, "white", s * 0.2)


def curtain_icon(svg, x, y, s):
    line(svg, x - s, y - s, x + s, y - s, "white", s * 0.2)
    path(svg, "M%g %g v%g h%g z M%g %g v%g h-%g z" % (x - s, y - s, 2 * s, s * 0.6, x + s, y - s,
                                                      2 * s, s * 0.6), "white")


def scene_icon(svg, x, y, s):
    rect(svg, x - s, y - s * 0.8, 2 * s, 1.6 * s, "none", s * 0.2, "white", s * 0.2)
    circle(svg, x - s * 0.3, y - s * 0.2, s * 0.25, "white")
    circle(svg, x + s * 0.3, y + s * 0.3, s * 0.25, "white")


def trash_icon(svg, x, y, s):
    rect(svg, x - s * 0.6, y - s * 0.5, s * 1.2, s * 1.5, "none", s * 0.15, "white", s * 0.22)
    line(svg, x - s * 0.9, y - s * 0.7, x + s * 0.9, y - s * 0.7, "white", s * 0.22)


def pencil_icon(svg, x, y, s):
    path(svg, "M%g %g l%g -%g l%g %g l-%g %g z" % (x - s * 0.8, y + s * 0.8, s * 1.2, s * 1.2,
                                                  s * 0.4, s * 0.4, s * 1.2, s * 1.2),
         "white")


def step_pair():
    """A step told by two screens: the one touched, an arrow, the one it opens."""
    svg = step_canvas()
    arrow(svg, 280, 150, 340)
    return svg, Phone(svg, 90, 20, 140), Phone(svg, 380, 20, 140)


def step_canvas(wide=False):
    svg = Svg(640, 360) if wide else Svg(600, 300)
    rect(svg, 0, 0, svg.width, svg.height, CARD, 16)
    return svg


# --- help steps ---------------------------------------------------------------

def add_device():
    # 1: the scan icon at the top right of the home screen.
    svg, phone, right = step_pair()
    phone.home()
    x, y = phone.scan_button()
    touch(svg, x, y, 16, 1.1)
    scan_screen(right)
    svg.save("addDevice_1")
    # 2: a device tile, then "+" on its list.
    svg, phone, right = step_pair()
    centres = phone.home()
    touch(svg, centres[0][0], centres[0][1], 24, 1.1)
    phone = right
    phone.bar("back", "plus")
    phone.rows(4, right="switch")
    x, y = phone.plus_button()
    touch(svg, x, y, 16, 1.1)
    svg.save("addDevice_2")
    # 3: the menu, "Device Management", then "+".
    svg, phone, right = step_pair()
    rows = phone.menu_open(highlight_row=0)
    touch(svg, rows[0][0], rows[0][1], 18, 1.1)
    phone = right
    phone.bar("back", "plus")
    phone.rows(4, colours=[INK, "#8a7d78", SUN, "#c87864"])
    x, y = phone.plus_button()
    touch(svg, x, y, 16, 1.1)
    svg.save("addDevice_3")


def scan_screen(phone):
    phone.bar("back", None)
    svg = phone.svg
    rect(svg, phone.sx, phone.sy + phone.sh * 0.1, phone.sw, phone.sh * 0.9, "#2e2826")
    size = phone.sw * 0.6
    x, y = phone.px(0.2), phone.py(0.3)
    qr(svg, x + size * 0.15, y + size * 0.15, size * 0.7)
    for cx, cy, dx, dy in ((x, y, 1, 1), (x + size, y, -1, 1), (x, y + size, 1, -1),
                           (x + size, y + size, -1, -1)):
        path(svg, "M%g %g v%g M%g %g h%g" % (cx, cy, dy * 14, cx, cy, dx * 14), stroke="#6cc46c",
             sw=3)
    line(svg, x + 4, y + size * 0.55, x + size - 4, y + size * 0.55, RED, 2)


def delete_device():
    for step in (1, 2, 3):
        svg = step_canvas(wide=True)
        phone = Phone(svg, 230, 16, 176)
        if step == 1:
            rows = phone.menu_open(highlight_row=0)
            touch(svg, rows[0][0], rows[0][1], 20, 1.3)
        else:
            phone.bar("back", "plus")
            ys, rh = phone.rows(4, colours=[INK, "#8a7d78", SUN, "#c87864"])
            spots = phone.swiped_row(ys[2], rh, phone.sw * (0.3 if step == 3 else 0.18),
                                     ["trash"] if step == 3 else [])
            if step == 2:
                arrow(svg, phone.px(0.35), ys[2] + rh / 2, phone.px(0.8), RED)
                finger(svg, phone.px(0.8), ys[2] + rh / 2 + 4, 1.3)
            else:
                touch(svg, spots[0][0], spots[0][1], 18, 1.3)
        svg.save("deleteDevice_%d" % step)


def set_scenario():
    # 1: the scenario tile.
    svg, phone, right = step_pair()
    centres = phone.home()
    touch(svg, centres[2][0], centres[2][1], 24, 1.1)
    phone = right
    phone.bar("back", "plus")
    phone.rows(3, colours=[SUN, "#5a5a8c", "#78aa6e"])
    svg.save("setScenario_1")
    # 2: "+", then ticks and states, then "Next".
    svg, phone, right = step_pair()
    phone.bar("back", "plus")
    phone.rows(3, colours=[SUN, "#5a5a8c", "#78aa6e"])
    x, y = phone.plus_button()
    touch(svg, x, y, 16, 1.1)
    phone = right
    phone.bar("back", None)
    ys, rh = phone.rows(4, right="switch")
    for y in ys[:3]:
        path(svg, "M%g %g l5 5 l9 -10" % (phone.px(0.6), y + rh / 2), stroke=RED, sw=3)
    rect(svg, phone.sx, phone.py(0.9), phone.sw, phone.sh * 0.1, INK)
    line(svg, phone.px(0.7), phone.py(0.95), phone.px(0.92), phone.py(0.95), "white", 5)
    ring(svg, phone.px(0.81), phone.py(0.95), 18)
    svg.save("setScenario_2")
    # 3: the name, the picture, done.
    svg = step_canvas()
    phone = Phone(svg, 230, 20, 140)
    phone.bar("back", "plus")
    circle(svg, phone.px(0.5), phone.py(0.3), phone.sw * 0.2, "#5a5a8c")
    circle(svg, phone.px(0.5), phone.py(0.3), phone.sw * 0.08, "white")
    rect(svg, phone.px(0.1), phone.py(0.5), phone.sw * 0.8, phone.sh * 0.08, "white", 6, GREY, 1)
    line(svg, phone.px(0.16), phone.py(0.54), phone.px(0.5), phone.py(0.54), INK, 4)
    touch(svg, phone.px(0.5), phone.py(0.3), 30, 1.1)
    x, y = phone.plus_button()
    ring(svg, x, y, 16)
    svg.save("setScenario_3")


def edit_scenario():
    svg = step_canvas()
    phone = Phone(svg, 230, 20, 140)
    centres = phone.home()
    touch(svg, centres[2][0], centres[2][1], 24, 1.1)
    svg.save("editScenario_1")
    for step in (2, 3):
        svg = step_canvas()
        phone = Phone(svg, 230, 20, 140)
        phone.bar("back", "plus")
        ys, rh = phone.rows(4, colours=[SUN, "#5a5a8c", "#78aa6e", "#c87864"])
        spots = phone.swiped_row(ys[2], rh, phone.sw * (0.45 if step == 3 else 0.2),
                                 ["pencil", "trash"] if step == 3 else [])
        if step == 2:
            arrow(svg, phone.px(0.35), ys[2] + rh / 2, phone.px(0.85), RED)
            finger(svg, phone.px(0.85), ys[2] + rh / 2 + 4, 1.1)
        else:
            for x, y in spots:
                ring(svg, x, y, 14)
        svg.save("editScenario_%d" % step)


def curtained_window(svg, x, y, w, h):
    rect(svg, x, y, w, h, "#bcd6e6", 4, INK, 3)
    line(svg, x - 6, y - 4, x + w + 6, y - 4, INK, 4)
    path(svg, "M%g %g v%g h%g c-6 -%g -6 -%g 0 -%g z" % (x, y, h, w * 0.28, h * 0.35, h * 0.7, h),
         "#c87864", INK, 2)
    path(svg, "M%g %g v%g h-%g c6 -%g 6 -%g 0 -%g z" % (x + w, y, h, w * 0.28, h * 0.35, h * 0.7,
                                                      h), "#c87864", INK, 2)


# --- welcome pages ------------------------------------------------------------

def welcome(set_name, height):
    def canvas():
        svg = Svg(640, height)
        return svg

    mid = height / 2
    pages = []
    # 1: a home looked after from a phone.
    svg = canvas()
    path(svg, "M170 %g L320 %g L470 %g V%g H170 Z" % (mid - 10, mid - 140, mid - 10, mid + 150),
         PAPER, INK, 6)
    rect(svg, 290, mid + 60, 60, 90, CARD, 4, INK, 4)
    bulb(svg, 230, mid + 40, 0.9)
    rect(svg, 380, mid + 10, 60, 50, "#bcd6e6", 4, INK, 4)
    phone = Phone(svg, 430, mid - 60, 110)
    phone.home()
    pages.append(svg)
    # 2: the new screens.
    svg = canvas()
    Phone(svg, 150, mid - 175, 180).home()
    phone = Phone(svg, 360, mid - 140, 150)
    phone.bar("back", "plus")
    phone.rows(5, right="switch")
    pages.append(svg)
    # 3: scanning a code.
    svg = canvas()
    transmitter(svg, 110, mid + 40, 1.4)
    scan_screen(Phone(svg, 380, mid - 170, 170))
    arrow(svg, 360, mid + 70, 300, RED)
    pages.append(svg)
    # 4: lights.
    svg = canvas()
    bulb(svg, 200, mid - 30, 2.2)
    phone = Phone(svg, 370, mid - 160, 160)
    phone.bar("back", "plus")
    ys, rh = phone.rows(3, right="switch")
    line(svg, phone.px(0.15), ys[2] + rh * 1.6, phone.px(0.85), ys[2] + rh * 1.6, GREY, 6)
    line(svg, phone.px(0.15), ys[2] + rh * 1.6, phone.px(0.6), ys[2] + rh * 1.6, INK, 6)
    circle(svg, phone.px(0.6), ys[2] + rh * 1.6, 10, "white", INK, 3)
    pages.append(svg)
    # 5: curtains letting the sun in.
    svg = canvas()
    rect(svg, 120, mid - 130, 300, 260, "#bcd6e6", 6, INK, 6)
    circle(svg, 270, mid - 40, 46, SUN)
    line(svg, 100, mid - 140, 440, mid - 140, INK, 8)
    path(svg, "M120 %g v270 h60 c-16 -90 -16 -180 0 -270 z" % (mid - 135), "#c87864", INK, 4)
    path(svg, "M420 %g v270 h-60 c16 -90 16 -180 0 -270 z" % (mid - 135), "#c87864", INK, 4)
    arrow(svg, 230, mid + 90, 190, INK)
    arrow(svg, 310, mid + 90, 350, INK)
    phone = Phone(svg, 460, mid - 90, 110)
    phone.bar("back", "plus")
    phone.rows(3, colours=["#c87864"])
    pages.append(svg)
    # 6: one touch for a scenario.
    svg = canvas()
    for k, colour in enumerate((SUN, "#5a5a8c", "#78aa6e", RED)):
        circle(svg, 150 + k * 110, mid - 60, 44, colour)
    touch(svg, 370, mid - 60, 56, 2.2)
    bulb(svg, 190, mid + 100, 0.9)
    curtained_window(svg, 280, mid + 66, 80, 70)
    rect(svg, 400, mid + 70, 60, 60, "#5a5a8c", 30)
    path(svg, "M418 %g a14 14 0 1 0 24 12 a11 11 0 1 1 -24 -12 z" % (mid + 88), "white")
    pages.append(svg)
    # 7: the transmitter powered and on the network.
    svg = canvas()
    transmitter(svg, 200, mid - 10, 2.0)
    path(svg, "M200 %g c-60 0 -80 60 -140 60" % (mid + 46), stroke=INK, sw=6)
    rect(svg, 36, mid + 90, 40, 34, GREY, 4, INK, 4)
    line(svg, 48, mid + 90, 48, mid + 78, INK, 4)
    line(svg, 64, mid + 90, 64, mid + 78, INK, 4)
    path(svg, "M440 %g c60 0 80 60 130 60" % (mid + 46), stroke="#5a8bd0", sw=6)
    rect(svg, 540, mid + 96, 70, 36, CARD, 6, INK, 4)
    for k in range(3):
        circle(svg, 556 + k * 18, mid + 114, 4, "#6cc46c")
    pages.append(svg)
    for number, svg in enumerate(pages, 1):
        svg.save("welcome_D%s_%d" % (set_name, number))


# --- guide, icon, logo ------------------------------------------------------------

def guide():
    svg = Svg(640, 480)
    transmitter(svg, 200, 200, 2.0)
    path(svg, "M200 256 c-60 0 -80 80 -130 80", stroke=INK, sw=6)
    rect(svg, 40, 330, 50, 40, GREY, 4, INK, 4)
    line(svg, 54, 330, 54, 316, INK, 4)
    line(svg, 76, 330, 76, 316, INK, 4)
    path(svg, "M440 256 c60 0 80 80 120 80", stroke="#5a8bd0", sw=6)
    rect(svg, 530, 330, 80, 40, CARD, 6, INK, 4)
    for k in range(3):
        circle(svg, 548 + k * 20, 350, 5, "#6cc46c")
    svg.save("guide_D_1")
    svg = Svg(640, 480)
    transmitter(svg, 60, 260, 1.8)
    scan_screen(Phone(svg, 380, 40, 200))
    arrow(svg, 370, 300, 300, RED)
    svg.save("guide_D_2")


def icon():
    svg = Svg(200, 200)
    rect(svg, 0, 0, 200, 200, svg.gradient("#d0645d", "#9c3a35"), 44)
    path(svg, "M50 104 L100 58 L150 104 V150 H50 Z", "white")
    rect(svg, 88, 112, 24, 38, "#b44a44", 3)
    for r in (26, 42):
        path(svg, "M%g 46 a%g %g 0 0 1 %g 0" % (100 - r, r, r, 2 * r), stroke="white", sw=7)
    svg.save("MainIcon320b")


def logo():
    svg = Svg(300, 80)
    path(svg, "M16 64 L40 14 L64 64 Z M28 64 L40 40 L52 64 Z", RED)
    rect(svg, 76, 22, 200, 8, RED, 4)
    rect(svg, 76, 40, 160, 8, RED, 4)
    rect(svg, 76, 58, 120, 6, "#d9928d", 3)
    svg.save("company_Logo_Red")


def help_button():
    svg = Svg(64, 64)
    circle(svg, 32, 32, 28, "none", RED, 5)
    path(svg, "M22 24 c0 -14 20 -14 20 0 c0 8 -10 8 -10 18", stroke=RED, sw=5)
    circle(svg, 32, 50, 3.5, RED)
    svg.save("init_help")


if __name__ == "__main__":
    add_device()
    delete_device()
    set_scenario()
    edit_scenario()
    welcome("4", 490)
    welcome("5", 588)
    guide()
    icon()
    logo()
    help_button()
