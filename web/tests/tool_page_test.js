// A tool's view, on a page built with the throwaway tool registered
// (PYRELON_WEB_PAGE, web/tests/run.sh tools): reached from the Help menu and at
// pyrelon.html#scratch-mix, its form laid out from the description, the
// results following real key presses. Expected values worked by hand:
// volume = flow × hours, nitrogen = volume × share / 100.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, open, texts, type } = require('./browser');

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
