// A tool's view, on a page built with the throwaway tool registered
// (PYRELON_WEB_PAGE, web/tests/run.sh tools): reached from the Help menu and at
// pyrelon.html#scratch-mix, its form laid out from the description, the
// results following real key presses. Expected values worked by hand:
// volume = flow × hours, nitrogen = volume × share / 100.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { launch, open, texts, type } = require('./browser');

// The native CLI (PYRELON_NATIVE_CLI, set by CTest): the chart it writes for
// the same readings, which the page's must equal byte for byte.
function cliChart(args) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'pyrelon-chart-'));
  try {
    const file = path.join(folder, 'chart.svg');
    execFileSync(process.env.PYRELON_NATIVE_CLI, ['atmosphere', ...args, '--chart', file],
      { stdio: 'ignore', timeout: 20000 });
    return fs.readFileSync(file, 'utf8');
  } finally {
    fs.rmSync(folder, { recursive: true });
  }
}

// What a button of the view downloads.
async function download(page, button) {
  const [saved] = await Promise.all([page.waitForEvent('download'), page.click('#' + button)]);
  return { name: saved.suggestedFilename(), bytes: fs.readFileSync(await saved.path()) };
}

let browser;
test.before(async () => { browser = await launch(); });
test.after(async () => { await browser.close(); });

const ID = 'scratch-mix';
const results = (page) => texts(page, ['volume', 'nitrogen', 'rate', 'verdict', 'flags',
  'split.first', 'split.second', 'error'].map((path) => (path === 'error' ? `${ID}-error` : `${ID}-result-${path}`)));

test('the address opens the view with its form, and the window is hidden', async () => {
  const page = await open(browser, { query: '#' + ID });
  await page.waitForSelector(`#${ID}-view:not([hidden])`);
  assert.equal(await page.isHidden('#stage'), true);
  const ids = await page.$$eval(`#${ID}-view input`, (els) => els.map((el) => el.id));
  assert.deepEqual(ids, [`${ID}-flow`, `${ID}-share`, `${ID}-hours`, `${ID}-file`]);
  assert.equal(await page.getAttribute(`#${ID}-hours`, 'placeholder'), '8');
  assert.equal(await page.textContent(`#${ID}-hours-range`), '0.5 to 24 h');
  assert.equal(await page.textContent(`label[for="${ID}-share"]`), 'Nitrogen share');
  assert.equal(await page.textContent(`#${ID}-chart`), '');
  // No share given: a dash, and the note beside it.
  assert.equal(await page.textContent(`#${ID}-note-nitrogen`), 'give the nitrogen share');
  // The empty form: 10 m³/h for 8 h.
  assert.deepEqual(await results(page), ['80.00', '—', '2.78e-03', 'running',
    'none', '40.0', '40.0', '']);
  assert.deepEqual(page.errors, []);
});

test('typing updates the results, and a fault names its bound', async () => {
  const page = await open(browser, { query: '#' + ID });
  const rows = [
    { name: 'given share: 12.5 × 8 = 100, 40 % of it 40', flow: '12.5', share: '40', hours: '',
      expected: ['100.00', '40.0', '3.47e-03', 'running', 'none', '50.0', '50.0', ''] },
    { name: 'long rich run: 100 × 20 = 2000, 60 % of it 1200', flow: '100', share: '60', hours: '20',
      expected: ['2000.00', '1200', '2.78e-02', 'running', 'long, rich', '1000.0', '1000.0', ''] },
    { name: 'out of range', flow: '', share: '', hours: '25',
      expected: ['—', '—', '—', '—', '—', '—', '—', 'The run time must be between 0.5 and 24 h.'] },
    { name: 'not a number', flow: '1,5', share: '', hours: '',
      expected: ['—', '—', '—', '—', '—', '—', '—', 'The gas flow "1,5" is not a number.'] },
  ];
  for (const row of rows) {
    await type(page, `${ID}-flow`, row.flow);
    await type(page, `${ID}-share`, row.share);
    await type(page, `${ID}-hours`, row.hours);
    assert.deepEqual(await results(page), row.expected, row.name);
  }
  assert.equal(await page.getAttribute(`#${ID}-flow`, 'aria-invalid'), 'true');
  assert.deepEqual(page.errors, []);
});

test('a decimal comma where the language has one', async () => {
  const page = await open(browser, { query: '?lang=it-IT#' + ID });
  await type(page, `${ID}-flow`, '2,5');
  await type(page, `${ID}-hours`, '3');
  // 2.5 × 3 = 7.5; half of it 3.75, shown with one decimal
  assert.deepEqual((await results(page)).slice(0, 7),
    ['7,50', '—', '6,94e-04', 'running', 'none', '3,8', '3,8']);
});

test('the Help menu leads to the view and the link back to the window', async () => {
  const page = await open(browser);
  assert.equal(await page.isVisible('#stage'), true);
  await page.click('#HelpMenu');
  await page.click(`#ToolsMenu-${ID}`);
  await page.waitForSelector(`#${ID}-view:not([hidden])`);
  assert.equal(new URL(page.url()).hash, '#' + ID);
  // Tab from the heading reaches the first box.
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), `${ID}-flow`);
  await page.click(`#${ID}-view nav a`);
  await page.waitForSelector('#stage:not([hidden])');
  assert.equal(await page.isHidden(`#${ID}-view`), true);
});

test('offline, the view works as well', async () => {
  const page = await open(browser, { query: '#' + ID, offline: true });
  await type(page, `${ID}-flow`, '50');
  assert.equal((await results(page))[0], '400.00');
});

test('the atmosphere chart: an SVG with its title, redrawn as a reading changes, saved as the CLI writes it', async () => {
  const page = await open(browser, { query: '#atmosphere' });
  await page.waitForSelector('#atmosphere-chart > svg');
  const shown = () => page.evaluate(() => {
    const svg = document.querySelector('#atmosphere-chart > svg');
    const first = svg.firstElementChild;
    return { markup: svg.outerHTML, role: svg.getAttribute('role'), first: first.tagName,
      title: first.textContent, count: document.getElementById('atmosphere-chart').children.length };
  });
  const rows = [
    { name: 'temperature alone', temp: '925', mv: '', dew: '', args: ['--temp', '925'] },
    { name: 'a probe reading added', temp: '925', mv: '1150', dew: '',
      args: ['--temp', '925', '--mv', '1150'] },
    { name: 'another temperature, a dew point', temp: '870', mv: '1150', dew: '-5',
      args: ['--temp', '870', '--mv', '1150', '--dew-point', '-5'] },
    { name: 'a probe reading beyond its range', temp: '870', mv: '1400', dew: '-5',
      args: ['--temp', '870', '--dew-point', '-5'] },
  ];
  let before = await shown();
  for (const row of rows) {
    await type(page, 'atmosphere-temp', row.temp);
    await type(page, 'atmosphere-mv', row.mv);
    await type(page, 'atmosphere-dew-point', row.dew);
    const now = await shown();
    assert.equal(now.count, 1, row.name + ': one chart');
    assert.equal(now.role, 'img', row.name);
    assert.equal(now.first, 'title', row.name + ': the title first');
    assert.notEqual(now.title.trim(), '', row.name + ': a title that says something');
    if (row.name !== 'a probe reading beyond its range')
      assert.notEqual(now.markup, before.markup, row.name + ': redrawn');
    const svg = await download(page, 'atmosphere-save-svg');
    assert.equal(svg.name, 'atmosphere-chart.svg', row.name);
    if (process.env.PYRELON_NATIVE_CLI)
      assert.equal(svg.bytes.toString('utf8'), cliChart(row.args), row.name + ': the CLI\'s bytes');
    before = now;
  }
  // The PNG: twice the chart's size.
  const png = await download(page, 'atmosphere-save-png');
  assert.equal(png.name, 'atmosphere-chart.png');
  assert.equal(png.bytes.subarray(1, 4).toString('latin1'), 'PNG');
  const [width, height] = await page.evaluate(() => {
    const svg = document.querySelector('#atmosphere-chart > svg');
    return [Number(svg.getAttribute('width')), Number(svg.getAttribute('height'))];
  });
  assert.deepEqual([png.bytes.readUInt32BE(16), png.bytes.readUInt32BE(20)], [2 * width, 2 * height]);
  assert.deepEqual(page.errors, []);
});

test('in Italian the chart writes a decimal comma, as the CLI does with --decimal-comma', async () => {
  const page = await open(browser, { query: '?lang=it-IT#atmosphere' });
  await page.waitForSelector('#atmosphere-chart > svg');
  await type(page, 'atmosphere-temp', '850');
  await type(page, 'atmosphere-dew-point', '0,5');
  // 0.909 %C at a dew point of 0.5 °C and 850 °C (the CLI's transcript).
  assert.match(await page.textContent('#atmosphere-chart'), /dew point 0,5 °C: 0,909 %C/);
  const svg = await download(page, 'atmosphere-save-svg');
  if (process.env.PYRELON_NATIVE_CLI) {
    assert.equal(svg.bytes.toString('utf8'),
      cliChart(['--decimal-comma', '--temp', '850', '--dew-point', '0,5']));
  }
  assert.deepEqual(page.errors, []);
});

test('on a phone the chart keeps its size, every text at least 10 px, and scrolls in its own box', async () => {
  const page = await open(browser, { query: '#atmosphere', width: 390, height: 800 });
  await page.waitForSelector('#atmosphere-chart > svg');
  const sizes = await page.evaluate(() => {
    const svg = document.querySelector('#atmosphere-chart > svg');
    const box = document.querySelector('#atmosphere-view .tool-chart');
    const smallest = Math.min(...[...svg.querySelectorAll('text')]
      .map((t) => parseFloat(getComputedStyle(t).fontSize) * svg.getBoundingClientRect().width /
        Number(svg.getAttribute('width'))));
    return { drawn: svg.getBoundingClientRect().width, own: Number(svg.getAttribute('width')),
      smallest, page: document.documentElement.scrollWidth, view: window.innerWidth,
      box: box.clientWidth, scrolls: box.scrollWidth };
  });
  assert.equal(sizes.drawn, sizes.own);
  assert.ok(sizes.smallest >= 10, 'smallest text ' + sizes.smallest + ' px');
  assert.ok(sizes.page <= sizes.view, 'the page itself does not scroll sideways');
  assert.ok(sizes.scrolls > sizes.box, 'the chart\'s box scrolls');
  assert.deepEqual(page.errors, []);
});

test('a tool without a chart shows no chart and no save buttons', async () => {
  const page = await open(browser, { query: '#' + ID });
  await page.waitForSelector(`#${ID}-view:not([hidden])`);
  assert.equal(await page.textContent(`#${ID}-chart`), '');
  assert.equal(await page.isHidden(`#${ID}-saves`), true);
});
