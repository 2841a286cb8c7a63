// The WebAssembly module against the native build: a generated table of
// cases (presses of every panel with random readings, unit-list choices,
// the key and paste filters, the Val rule, the locale-aware reading,
// pattern, plain and signed forms, part-read warnings, start-up, with both
// separators, the tools' charts) answered by both, compared byte for byte.
// The WebAssembly side is the tests' module (tests/pyrelon-cases-module.js
// in the emscripten build), the native side the case runner of the native
// build (PYRELON_NATIVE_CASES, else build/web/pyrelon-cases).
//   node web/tests/differential.js BUILD_WEB_DIR [CASES]
'use strict';
const { execFileSync } = require('child_process');
const path = require('path');
const fs = require('fs');

const dir = path.resolve(process.argv[2] || 'build-web');
const count = Number(process.argv[3] || 20000);
const runner = path.resolve(process.env.PYRELON_NATIVE_CASES || 'build/web/pyrelon-cases');
const native = (input) => execFileSync(runner, { input, maxBuffer: 1 << 30 }).toString();

// A fixed seed: the same table every run.
let seed = 0x5eed1234;
function random() {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
}
const pick = (list) => list[Math.floor(random() * list.length)];
const int = (n) => Math.floor(random() * n);

const oddTexts = ['', ' ', 'abc', '-', '.', '+', '1E400', '-1e309', '1E-400', '&H1F', '&O17',
  '&HFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF',
  '1,5', '12abc', '1 2', '7.5.1', '0', '-0', '00012.5000', '1e', '1e+', '.5', '5.', ' 273.15',
  '1.7976931348623157e308', '4.9e-324', '2.2250738585072014e-308', '\u00b0C', '1\u00a0000',
  '9999999999999999', '0.1', '-3', '1d3', 'E5'];

// A reading near the box's limits, or anywhere, in one of many forms.
function reading(limits) {
  const r = random();
  if (r < 0.12) return pick(oddTexts);
  let value;
  if (limits && r < 0.75) {
    const [lo, hi] = limits;
    const span = hi - lo || 1;
    value = lo - span * 0.1 + random() * span * 1.2;
    if (random() < 0.1) value = pick([lo, hi]);
  } else {
    value = (random() - 0.3) * Math.pow(10, int(12) - 4);
  }
  const digits = int(8);
  let text = value.toFixed(digits);
  const form = random();
  if (form < 0.1) text = value.toExponential(int(6)).replace('e', pick(['E', 'e']));
  else if (form < 0.16) text = text.replace('.', ',');
  else if (form < 0.2) text = ' ' + text + ' ';
  else if (form < 0.23) text = text + pick(['x', ' mV', '%', '.3']);
  return text;
}

function doubleBits(value) {
  const buffer = Buffer.alloc(8);
  buffer.writeDoubleBE(value);
  return buffer.toString('hex');
}

const panels = native('panels\n').trim().split(';').filter(Boolean).map((entry) => {
  const [id, entries, ...inputs] = entry.split(' ');
  return { id, entries: Number(entries),
    inputs: inputs.map((l) => (l === '-' ? null : l.split(':').map(Number))) };
});

const cases = [];
for (const sep of ['.', ',']) {
  const group = sep === '.' ? ',' : '.';
  cases.push(['startup', sep, group]);
  for (let i = 0; i < count / 2; i++) {
    const panel = panels[i % panels.length];
    const entry = panel.entries ? int(panel.entries + 1) - (random() < 0.05 ? 1 : 0) : -1;
    cases.push(['press', panel.id, Math.min(entry, panel.entries - 1), sep,
      ...panel.inputs.map(reading)]);
  }
}
for (const panel of panels)
  for (let entry = -1; entry < panel.entries; entry++) cases.push(['select', panel.id, entry]);
for (let i = 0; i < 2000; i++) {
  const box = pick(['HTxt', 'NTxt', 'DataText', 'PresText', 'MvZccTxt']);
  const current = pick(['', '1', '10', '10.', '.5', '3,2', 'abc']);
  cases.push(['key', box, current, pick([8, 46, 44, 48, 53, 57, 65, 101, 32, 176, int(300)])]);
  cases.push(['paste', box, current, pick(['', '31.61', '1,5', '1.2.3', '42', 'abc', ' 7', '.'])]);
}
const patterns = ['0.000', '#0.00', '###0.0', '#.#0', '######0', '0', '#', '0.0#', '#.##',
  '00.00', '#0.0000', '.0', ''];
const specials = [0, -0, 0.5, 2.675, 273.15, 1e15, 1e-5, 9.9999999999999995e-6, 1e-6, 0.05,
  0.95, 1.797693134862315e308, Number.MAX_VALUE, 5e-324, 1e308, -1e-300, 0.9047, 1562.0];
for (let i = 0; i < 6000; i++) {
  const value = i < specials.length * 4 ? specials[i % specials.length] * (i % 8 < 4 ? 1 : -1)
    : (random() - 0.5) * Math.pow(10, int(40) - 20) * (random() < 0.05 ? 1e280 : 1);
  cases.push(['format', doubleBits(value), pick(patterns), pick(['.', ','])]);
}
for (let i = 0; i < 4000; i++) {
  const text = i < oddTexts.length ? oddTexts[i] : reading(null);
  cases.push(['val', text]);
  cases.push(['read', text]);
  cases.push(['locale', text, pick(['.', ',']), pick([',', '.', '\u00a0'])]);
}

// The tools' charts: the same document from the same texts in both (the
// window and the command line draw the native one). Readings within and
// beyond the inputs' ranges, and texts that are no number.
const chartReadings = {
  atmosphere: () => [pick(['925', '800', '1100', '860', '1049.5', '1200', '']),
    pick(['', '20', '0.1', '60', '35.5']), pick(['', '40', '0.1', '60']),
    pick(['', '1013.25', '800', '1500']), pick(['', '1138', '900', '1300', '1100.4', 'abc']),
    pick(['', '-5.6', '-45', '30', '12.25', '99']), pick(['', '', '', '-10', '0', '-60']),
    pick(['', '0.147', '20', '0.001']), pick(['', '0.5']), '', '', '',
    pick(['', '0.8', '0.05', '1.2'])],
  'nitriding-potential': () => [pick(['500', '400', '590', '512.5', '', '700']),
    pick(['', '37', '0.1', '100']), pick(['', '63', '50']), pick(['', '30', '12.5', 'x']),
    pick(['', '', '20']), pick(['', '100', '50']), pick(['', '1013.25', '1500'])],
};
for (let i = 0; i < 240; i++) {
  const id = i % 2 ? 'atmosphere' : 'nitriding-potential';
  cases.push(['chart', id, pick(['.', ',']), ...chartReadings[id]()]);
}

const input = cases.map((c) => c.join('\t')).join('\n') + '\n';
const expected = native(input).split('\n');
const PyrelonCases = require(path.join(dir, 'tests', 'pyrelon-cases-module.js'));
PyrelonCases().then((calc) => {
  const lines = input.split('\n');
  let differ = 0;
  const tally = {};
  for (let i = 0; i < cases.length; i++) {
    const got = calc.runCase(lines[i]);
    tally[cases[i][0]] = (tally[cases[i][0]] || 0) + 1;
    if (got !== expected[i]) {
      if (differ++ < 10) {
        console.log(`case:   ${JSON.stringify(lines[i])}`);
        console.log(`native: ${expected[i].slice(0, 300)}`);
        console.log(`wasm:   ${got.slice(0, 300)}`);
      }
    }
  }
  if (expected.some((line) => line === 'bad case' || line === 'no panel' || line === 'no tool')) {
    console.log('the case table holds a malformed case');
    process.exit(1);
  }
  const counts = Object.entries(tally).map(([k, n]) => `${n} ${k}`).join(', ');
  if (differ) {
    console.log(`differential: ${differ} of ${cases.length} cases differ`);
    process.exit(1);
  }
  fs.writeFileSync(path.join(dir, 'tests', 'differential-cases.txt'), input);
  console.log(`differential: ${cases.length} cases identical (${counts})`);
});
