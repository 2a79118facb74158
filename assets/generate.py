#!/usr/bin/env python3
"""Draws the Morvena Webradio skin: writes every SVG file under assets/.

The SVG files are the artwork the program loads; this script is their source. Edit the
drawing here, run `python3 assets/generate.py`, look at the result (scripts/screenshots.sh)
and commit the script together with the files it wrote.

Sizes are in device-independent pixels and match the main window's layout. Shapes sit on
half pixels where a one-pixel line must stay sharp at the 1x scale. Only what Qt's SVG
renderer draws is used: paths, gradients, opacity and plain text (no filters, no masks).
"""

import math
import os
import random

ROOT = os.path.dirname(os.path.abspath(__file__))

# Palette: graphite panel, near-black display, teal accent (the now-playing text's colour).
PANEL_TOP = "#41474f"
PANEL_MID = "#2d3238"
PANEL_BOTTOM = "#1c1f24"
EDGE = "#0c0e11"
HIGHLIGHT = "#6b7480"
LCD_TOP = "#0d1a1e"
LCD_BOTTOM = "#050b0d"
TEAL = "#00a3a3"
TEAL_LIGHT = "#5fe3e0"
TEAL_DEEP = "#006a6a"
INK = "#d9e1e6"
INK_DIM = "#9aa5ad"

LABEL_FONT = "Liberation Sans"
DISPLAY_FONT = "Yanone Kaffeesatz"


def svg(width, height, body, defs=""):
    defs_block = f"  <defs>\n{defs}  </defs>\n" if defs else ""
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
        f'viewBox="0 0 {width} {height}">\n{defs_block}{body}</svg>\n'
    )


def linear(gid, stops, x1=0, y1=0, x2=0, y2=1):
    parts = "".join(
        f'      <stop offset="{o}" stop-color="{c}"'
        + (f' stop-opacity="{a}"' if a is not None else "")
        + "/>\n"
        for o, c, a in stops
    )
    return (
        f'    <linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">\n'
        f"{parts}    </linearGradient>\n"
    )


def radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    parts = "".join(
        f'      <stop offset="{o}" stop-color="{c}"'
        + (f' stop-opacity="{a}"' if a is not None else "")
        + "/>\n"
        for o, c, a in stops
    )
    focus = f' fx="{fx}" fy="{fy}"' if fx is not None else ""
    return (
        f'    <radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}"{focus}>\n'
        f"{parts}    </radialGradient>\n"
    )


def write(relpath, content):
    path = os.path.join(ROOT, relpath)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as out:
        out.write(content)


def rounded(x, y, w, h, r, attrs):
    return f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" ry="{r}" {attrs}/>\n'


def text(x, y, size, content, fill, weight="bold", family=LABEL_FONT, anchor="middle", extra=""):
    return (
        f'  <text x="{x}" y="{y}" font-family="{family}" font-size="{size}" '
        f'font-weight="{weight}" fill="{fill}" text-anchor="{anchor}"{extra}>{content}</text>\n'
    )


# --- Background ------------------------------------------------------------------------


def background():
    w, h = 316, 184
    defs = linear("panel", [(0, PANEL_TOP, None), (0.45, PANEL_MID, None), (1, PANEL_BOTTOM, None)])
    defs += linear("lcd", [(0, LCD_TOP, None), (1, LCD_BOTTOM, None)])
    defs += linear("glass", [(0, "#ffffff", 0.07), (1, "#ffffff", 0)])
    defs += linear("well", [(0, "#15181c", None), (1, "#22262c", None)])
    defs += linear("word", [(0, "#ffffff", None), (1, "#b9c3ca", None)])
    defs += linear("rule", [(0, TEAL, 0), (0.5, TEAL, 0.9), (1, TEAL, 0)], x2=1, y2=0)
    defs += radial("sheen", [(0, "#ffffff", 0.10), (1, "#ffffff", 0)], cx=0.3, cy=0.0, r=0.8)
    body = f'  <rect x="0" y="0" width="{w}" height="{h}" fill="url(#panel)"/>\n'
    body += f'  <rect x="0" y="0" width="{w}" height="{h}" fill="url(#sheen)"/>\n'

    # Brushed metal: faint horizontal strokes of varying light. Seeded so the file only
    # changes when the drawing does.
    rng = random.Random(271)
    for y in range(1, h - 1):
        light = rng.random()
        colour = "#ffffff" if light > 0.5 else "#000000"
        opacity = round(0.012 + 0.03 * abs(light - 0.5) * 2, 3)
        body += (
            f'  <rect x="1" y="{y}" width="{w - 2}" height="1" fill="{colour}" '
            f'fill-opacity="{opacity}"/>\n'
        )

    # Frame: a dark outline with a light inner edge along the top and left.
    body += f'  <rect x="0.5" y="0.5" width="{w - 2}" height="{h - 1}" fill="none" stroke="{EDGE}"/>\n'
    body += f'  <path d="M1.5 {h - 2} V1.5 H{w - 3}" fill="none" stroke="{HIGHLIGHT}" stroke-opacity="0.55"/>\n'

    # Display: a recessed, rounded LCD window carrying the status, now-playing and on-air
    # lines. The light line below and right of it makes it read as set into the panel.
    lx, ly, lw, lh, lr = 3.5, 39.5, 180, 128, 7
    body += rounded(lx + 1, ly + 1, lw, lh, lr, f'fill="none" stroke="{HIGHLIGHT}" stroke-opacity="0.45"')
    body += rounded(lx, ly, lw, lh, lr, f'fill="url(#lcd)" stroke="{EDGE}"')
    body += rounded(lx + 1, ly + 1, lw - 2, lh - 2, lr - 1, 'fill="none" stroke="#000000" stroke-opacity="0.6"')
    # Faint scan lines, as on a backlit display.
    for y in range(int(ly) + 3, int(ly + lh) - 2, 2):
        body += f'  <rect x="{lx + 3}" y="{y}" width="{lw - 6}" height="1" fill="{TEAL}" fill-opacity="0.025"/>\n'
    # Separator between the status line and the now-playing block.
    body += f'  <rect x="11" y="58" width="163" height="1" fill="url(#rule)" fill-opacity="0.55"/>\n'
    # Glass reflection across the top of the display.
    body += f'  <path d="M{lx + 2} {ly + 6} Q{lx + 2} {ly + 2} {lx + 8} {ly + 2} H{lx + lw - 8} Q{lx + lw - 2} {ly + 2} {lx + lw - 2} {ly + 8} V{ly + 16} Q90 {ly + 26} {lx + 2} {ly + 20} Z" fill="url(#glass)"/>\n'

    # Title strip: a thin teal rule under the channel title, left of the lettering.
    body += f'  <rect x="37" y="37" width="150" height="1" fill="url(#rule)" fill-opacity="0.5"/>\n'

    # Product lettering above the preset grid.
    body += text(249.5, 60, 20, "Morvena", "url(#word)", family=DISPLAY_FONT,
                 extra=' fill-opacity="0.95"')
    body += f'  <rect x="198" y="62" width="103" height="1" fill="url(#rule)"/>\n'
    body += text(249.5, 69, 6, "W E B R A D I O", TEAL_LIGHT, extra=' fill-opacity="0.9"')

    # Preset well: a rounded frame sunk into the panel around the nine oval buttons.
    fx, fy, fw, fh, fr = 189.5, 71.5, 120, 83, 9
    body += rounded(fx + 1, fy + 1, fw, fh, fr, f'fill="none" stroke="{HIGHLIGHT}" stroke-opacity="0.45"')
    body += rounded(fx, fy, fw, fh, fr, f'fill="url(#well)" stroke="{EDGE}"')
    body += rounded(fx + 1, fy + 1, fw - 2, fh - 2, fr - 1, 'fill="none" stroke="#000000" stroke-opacity="0.5"')

    # Speaker grille at the bottom right: rows of small perforations.
    for row in range(3):
        cy = 167 + row * 5.5
        offset = 2.75 if row % 2 else 0
        x = 226 + offset
        while x <= 308:
            body += f'  <circle cx="{x:.2f}" cy="{cy}" r="1.35" fill="#0a0c0e"/>\n'
            body += f'  <circle cx="{x:.2f}" cy="{cy + 0.8}" r="1.0" fill="{HIGHLIGHT}" fill-opacity="0.18"/>\n'
            x += 5.5

    # Engraved model line under the display.
    body += text(8, 178, 6.5, "STREAM RECEIVER", "#000000", anchor="start", extra=' fill-opacity="0.55"')
    body += text(8, 177.2, 6.5, "STREAM RECEIVER", INK_DIM, anchor="start", extra=' fill-opacity="0.55"')
    body += text(181, 178, 6.5, "2.71", "#000000", anchor="end", extra=' fill-opacity="0.55"')
    body += text(181, 177.2, 6.5, "2.71", TEAL, anchor="end", extra=' fill-opacity="0.75"')
    return svg(w, h, body, defs)


# --- Small images -----------------------------------------------------------------------


def image3():
    """The on-air bar behind Label5, 147 by 13, stretched by the window to 174 by 13."""
    w, h = 147, 13
    defs = linear("bar", [(0, "#03080a", None), (1, "#0e1b20", None)])
    defs += linear("edge", [(0, TEAL, 0), (0.5, TEAL, 0.7), (1, TEAL, 0)], x2=1, y2=0)
    body = rounded(0.5, 0.5, w - 1, h - 1, 4, f'fill="url(#bar)" stroke="#000000" stroke-opacity="0.8"')
    body += f'  <rect x="6" y="{h - 2}" width="{w - 12}" height="1" fill="url(#edge)"/>\n'
    body += f'  <rect x="6" y="1.5" width="{w - 12}" height="1" fill="#ffffff" fill-opacity="0.05"/>\n'
    return svg(w, h, body, defs)


def image2():
    """A small plate beside the pause and continue place, with a sound-wave mark."""
    w, h = 23, 21
    defs = linear("plate", [(0, "#353a41", None), (1, "#1a1d22", None)])
    body = rounded(0.5, 1.5, w - 1, h - 2, 4, f'fill="url(#plate)" stroke="{EDGE}"')
    body += f'  <path d="M1.5 {h - 2} V5" fill="none" stroke="{HIGHLIGHT}" stroke-opacity="0.25"/>\n'
    cx, cy = 11, 11
    for i, r in enumerate((3.5, 6, 8.5)):
        a = math.radians(45)
        x1, y1 = cx + r * math.cos(-a), cy + r * math.sin(-a)
        x2, y2 = cx + r * math.cos(a), cy + r * math.sin(a)
        opacity = 0.95 - i * 0.25
        body += (
            f'  <path d="M{x1:.2f} {y1:.2f} A{r} {r} 0 0 1 {x2:.2f} {y2:.2f}" fill="none" '
            f'stroke="{TEAL_LIGHT}" stroke-width="1.3" stroke-linecap="round" '
            f'stroke-opacity="{opacity:.2f}"/>\n'
        )
    return svg(w, h, body, defs)


# --- Buttons ----------------------------------------------------------------------------

STATES = ("normal", "hover", "down")


def face_defs(state):
    """Gradients shared by the button faces: raised at rest, lit on hover, sunk when held."""
    if state == "down":
        face = [(0, "#15181c", None), (1, "#2c3138", None)]
    elif state == "hover":
        face = [(0, "#59616c", None), (1, "#2b3037", None)]
    else:
        face = [(0, "#4a515b", None), (1, "#23272d", None)]
    return linear("face", face) + linear(
        "shine", [(0, "#ffffff", 0.28 if state != "down" else 0.0), (1, "#ffffff", 0)]
    )


def ink(state):
    return {"normal": INK, "hover": "#ffffff", "down": TEAL_LIGHT}[state]


def ring(state):
    return {"normal": EDGE, "hover": TEAL, "down": TEAL_DEEP}[state]


def preset(label, state):
    w, h = 33, 22
    nudge = 0.8 if state == "down" else 0
    body = f'  <ellipse cx="16.5" cy="11.5" rx="16" ry="10" fill="#000000" fill-opacity="0.45"/>\n'
    body += f'  <ellipse cx="16.5" cy="11" rx="15.5" ry="9.9" fill="url(#face)" stroke="{ring(state)}"/>\n'
    if state != "down":
        body += '  <ellipse cx="16.5" cy="7.2" rx="11" ry="4.6" fill="url(#shine)"/>\n'
    else:
        body += f'  <ellipse cx="16.5" cy="11" rx="14" ry="8.5" fill="none" stroke="#000000" stroke-opacity="0.5"/>\n'
    if state == "hover":
        body += f'  <ellipse cx="16.5" cy="11" rx="14.2" ry="8.7" fill="none" stroke="{TEAL_LIGHT}" stroke-opacity="0.35"/>\n'
    size = 9.5 if len(label) > 1 else 10.5
    body += text(16.5, 11 + size * 0.36 + nudge + 0.6, size, label, "#000000",
                 extra=' fill-opacity="0.6"')
    body += text(16.5, 11 + size * 0.36 + nudge, size, label, ink(state))
    return svg(w, h, body, face_defs(state))


def tab(w, h, state, glyph):
    """A tab hanging from the window's top edge (to tray, exit): square top, round bottom."""
    r = 4
    d = (
        f"M0.5 0 V{h - r - 0.5} Q0.5 {h - 0.5} {r + 0.5} {h - 0.5} "
        f"H{w - r - 0.5} Q{w - 0.5} {h - 0.5} {w - 0.5} {h - r - 0.5} V0 Z"
    )
    body = f'  <path d="{d}" fill="url(#face)" stroke="{ring(state)}"/>\n'
    if state != "down":
        body += f'  <rect x="2" y="1" width="{w - 4}" height="6" rx="2" fill="url(#shine)"/>\n'
    body += glyph
    return svg(w, h, body, face_defs(state))


def tray_button(state):
    w, h = 29, 20
    nudge = 0.8 if state == "down" else 0
    glyph = text(14.5, 13.4 + nudge, 7.5, "MIN", "#000000", extra=' fill-opacity="0.6"')
    glyph += text(14.5, 12.6 + nudge, 7.5, "MIN", ink(state))
    return tab(w, h, state, glyph)


def exit_button(state):
    w, h = 17, 20
    nudge = 0.8 if state == "down" else 0
    colour = {"normal": INK, "hover": "#ff8a7a", "down": "#ff5a48"}[state]
    c, s = 8.5, 3.2
    cy = 9.5 + nudge
    cross = f"M{c - s} {cy - s} L{c + s} {cy + s} M{c + s} {cy - s} L{c - s} {cy + s}"
    glyph = f'  <path d="{cross}" transform="translate(0,0.8)" stroke="#000000" stroke-opacity="0.6" stroke-width="1.8" stroke-linecap="round" fill="none"/>\n'
    glyph += f'  <path d="{cross}" stroke="{colour}" stroke-width="1.8" stroke-linecap="round" fill="none"/>\n'
    return tab(w, h, state, glyph)


def small_key(state, glyph):
    """A small square key at the bottom edge (pause, continue)."""
    w, h = 17, 20
    body = rounded(0.5, 1.5, w - 1, h - 2, 4, f'fill="url(#face)" stroke="{ring(state)}"')
    if state != "down":
        body += f'  <rect x="2" y="2.5" width="{w - 4}" height="6" rx="2" fill="url(#shine)"/>\n'
    body += glyph
    return svg(w, h, body, face_defs(state))


def pause_button(state):
    nudge = 0.8 if state == "down" else 0
    colour = ink(state)
    glyph = ""
    for x in (5, 10):
        glyph += f'  <rect x="{x}" y="{6.5 + nudge + 0.8}" width="2.2" height="8" rx="0.6" fill="#000000" fill-opacity="0.6"/>\n'
        glyph += f'  <rect x="{x}" y="{6.5 + nudge}" width="2.2" height="8" rx="0.6" fill="{colour}"/>\n'
    return small_key(state, glyph)


def continue_button(state):
    nudge = 0.8 if state == "down" else 0
    colour = ink(state)
    tri = lambda dy: f"M6 {6 + dy} L12.5 {10.5 + dy} L6 {15 + dy} Z"
    glyph = f'  <path d="{tri(nudge + 0.8)}" fill="#000000" fill-opacity="0.6" stroke-linejoin="round"/>\n'
    glyph += f'  <path d="{tri(nudge)}" fill="{colour}" stroke="{colour}" stroke-width="0.6" stroke-linejoin="round"/>\n'
    return small_key(state, glyph)


def star_points(cx, cy, outer, inner, n=5):
    points = []
    for i in range(2 * n):
        r = outer if i % 2 == 0 else inner
        a = -math.pi / 2 + i * math.pi / n
        points.append(f"{cx + r * math.cos(a):.2f},{cy + r * math.sin(a):.2f}")
    return " ".join(points)


def menu_button(state):
    w = h = 30
    nudge = 0.8 if state == "down" else 0
    defs = face_defs(state)
    defs += radial("glow", [(0, TEAL_LIGHT, 0.55), (1, TEAL, 0)])
    body = '  <circle cx="15" cy="15.8" r="13.8" fill="#000000" fill-opacity="0.45"/>\n'
    body += f'  <circle cx="15" cy="15" r="13.5" fill="url(#face)" stroke="{ring(state)}"/>\n'
    if state == "hover":
        body += '  <circle cx="15" cy="15" r="11" fill="url(#glow)"/>\n'
    if state != "down":
        body += '  <ellipse cx="15" cy="8.5" rx="9.5" ry="5.5" fill="url(#shine)"/>\n'
    else:
        body += '  <circle cx="15" cy="15" r="12" fill="none" stroke="#000000" stroke-opacity="0.5"/>\n'
    star_colour = {"normal": TEAL_LIGHT, "hover": "#ffffff", "down": TEAL}[state]
    body += f'  <polygon points="{star_points(15, 15.6 + nudge + 0.8, 8.2, 3.5)}" fill="#000000" fill-opacity="0.55"/>\n'
    body += f'  <polygon points="{star_points(15, 15.6 + nudge, 8.2, 3.5)}" fill="{star_colour}" stroke="{star_colour}" stroke-width="0.5" stroke-linejoin="round"/>\n'
    return svg(w, h, body, defs)


# --- Icons ------------------------------------------------------------------------------


def icon_idle():
    """16 by 16: a small radio set, the program's own icon and the idle tray icon."""
    defs = linear("body", [(0, "#4d5560", None), (1, "#1f2328", None)])
    body = '  <path d="M4 5.5 L12.5 1.5" stroke="#9aa5ad" stroke-width="1.2" stroke-linecap="round"/>\n'
    body += '  <circle cx="12.5" cy="1.6" r="1.1" fill="#5fe3e0"/>\n'
    body += f'  <rect x="0.5" y="5.5" width="15" height="10" rx="2.2" fill="url(#body)" stroke="{EDGE}"/>\n'
    body += '  <circle cx="5" cy="10.5" r="3" fill="#0c1013" stroke="#9aa5ad" stroke-width="0.8"/>\n'
    body += '  <circle cx="5" cy="10.5" r="1" fill="#9aa5ad"/>\n'
    body += f'  <rect x="9.5" y="8" width="4.5" height="2.2" rx="0.6" fill="{TEAL}"/>\n'
    body += '  <rect x="9.5" y="11.5" width="4.5" height="1" fill="#9aa5ad"/>\n'
    body += '  <rect x="9.5" y="13.2" width="4.5" height="1" fill="#9aa5ad"/>\n'
    return svg(16, 16, body, defs)


def icon_playing():
    """16 by 16: a pair of headphones, the tray icon while a channel plays."""
    defs = linear("cup", [(0, TEAL_LIGHT, None), (1, TEAL_DEEP, None)])
    body = '  <path d="M2.2 10.5 V8 A5.8 5.8 0 0 1 13.8 8 V10.5" fill="none" stroke="#1a1e22" stroke-width="3" stroke-linecap="round"/>\n'
    body += '  <path d="M2.2 10.5 V8 A5.8 5.8 0 0 1 13.8 8 V10.5" fill="none" stroke="#d9e1e6" stroke-width="1.6" stroke-linecap="round"/>\n'
    body += f'  <rect x="0.5" y="8.5" width="4.5" height="7" rx="1.6" fill="url(#cup)" stroke="{EDGE}"/>\n'
    body += f'  <rect x="11" y="8.5" width="4.5" height="7" rx="1.6" fill="url(#cup)" stroke="{EDGE}"/>\n'
    return svg(16, 16, body, defs)


def main():
    write("skin/background.svg", background())
    write("skin/image2.svg", image2())
    write("skin/image3.svg", image3())
    write("icons/idle.svg", icon_idle())
    write("icons/playing.svg", icon_playing())
    makers = {
        "menu": menu_button,
        "tray": tray_button,
        "exit": exit_button,
        "pause": pause_button,
        "continue": continue_button,
    }
    for name, make in makers.items():
        for state in STATES:
            write(f"buttons/{name}-{state}.svg", make(state))
    for number, label in enumerate(("1", "2", "3", "4", "5", "6", "7", "N1", "N2"), start=1):
        for state in STATES:
            write(f"buttons/preset{number}-{state}.svg", preset(label, state))


if __name__ == "__main__":
    main()
