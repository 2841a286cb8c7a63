// The page against the desktop window's layout: every control's rectangle,
// relative to the client area, is the control table's place in whole
// pixels (15 twips to the pixel, rounded as the desktop window rounds),
// within 1 px; the client area is the size the module gives, and where the
// desktop window is built, its own.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const path = require('path');
const { execFileSync } = require('child_process');
const { launch, open, buildDir } = require('./browser');

const pixels = (twips) => Math.floor((twips + 7) / 15);

test('every control stands where the desktop window puts it', async () => {
  const calc = await require(path.join(buildDir, 'pyrelon-module.js'))();
  const table = JSON.parse(calc.controlsJson());
  const byName = new Map(table.map((c) => [c.name, c]));
  const browser = await launch();
  try {
    const page = await open(browser, { width: 700, height: 560 });
    const rects = await page.evaluate((names) => {
      const client = document.getElementById('ClientArea').getBoundingClientRect();
      const out = { ClientArea: [0, 0, client.width, client.height] };
      for (const name of names) {
        const r = document.getElementById(name).getBoundingClientRect();
        out[name] = [r.left - client.left, r.top - client.top, r.width, r.height];
      }
      return out;
    }, table.filter((c) => c.kind !== 'line').map((c) => c.name));
    assert.deepEqual(rects.ClientArea.slice(2), JSON.parse(calc.clientSize()));
    const off = [];
    let checked = 0;
    for (const c of table) {
      if (c.kind === 'line') continue;
      const parent = c.parent ? byName.get(c.parent) : null;
      const expected = [pixels(c.l) + (parent ? pixels(parent.l) : 0),
        pixels(c.t) + (parent ? pixels(parent.t) : 0), pixels(c.w), pixels(c.h)];
      const got = rects[c.name];
      checked++;
      // A caption may grow to hold its text, as on the desktop; it still
      // covers its own place.
      const grown = c.kind === 'label' && got[0] <= expected[0] + 1 && got[1] === expected[1] &&
        got[0] + got[2] >= expected[0] + expected[2] - 1 && Math.abs(got[3] - expected[3]) <= 1;
      if (!grown && got.some((v, i) => Math.abs(v - expected[i]) > 1))
        off.push(`${c.name}: page ${got.map((v) => v.toFixed(1)).join(',')} desktop ${expected.join(',')}`);
    }
    assert.deepEqual(off, []);
    assert.ok(checked > 100, `only ${checked} controls`);

    // And against the desktop window itself, where its build is at hand:
    // the rectangles its widgets take after start-up (a caption the
    // desktop widens to hold its text included).
    const dumper = process.env.PYRELON_DESKTOP_LAYOUT;
    if (dumper) {
      const desktop = JSON.parse(execFileSync(dumper, {
        env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: ['ignore', 'pipe', 'ignore'],
      }).toString());
      const apart = [];
      for (const [name, place] of Object.entries(desktop)) {
        const got = rects[name];
        if (!got) { apart.push(`${name}: not on the page`); continue; }
        if (got.some((v, i) => Math.abs(v - place[i]) > 1))
          apart.push(`${name}: page ${got.map((v) => v.toFixed(1)).join(',')} desktop ${place.join(',')}`);
      }
      assert.deepEqual(apart, []);
      assert.ok(Object.keys(desktop).length > 100);
    }
    // The captions, colours and fonts of a sample, as the desktop shows them.
    const looks = await page.evaluate(() => ['Frame3', 'Label9', 'CarbonLbl', 'Label8', 'Label16', 'MvZccTxt']
      .map((n) => {
        const el = n.startsWith('Frame') ? document.getElementById(n + 'Title') : document.getElementById(n);
        const s = getComputedStyle(el);
        return [n, s.color, s.fontSize, s.fontWeight, s.fontStyle, s.fontFamily.split(',')[0]];
      }));
    assert.deepEqual(looks, [
      ['Frame3', 'rgb(0, 128, 0)', '13px', '700', 'italic', 'Arial'],
      ['Label9', 'rgb(0, 0, 255)', '11px', '700', 'normal', 'Arial'],
      ['CarbonLbl', 'rgb(255, 255, 0)', '12px', '700', 'normal', 'Verdana'],
      ['Label8', 'rgb(0, 0, 255)', '20px', '700', 'italic', 'Arial'],
      ['Label16', 'rgb(255, 255, 0)', '13px', '700', 'italic', 'Arial'],
      ['MvZccTxt', 'rgb(0, 0, 0)', '11px', '700', 'normal', 'Arial'],
    ]);
  } finally {
    await browser.close();
  }
});
