// The page's size and speed, printed: the file and its gzip-compressed
// size, the time from opening the file to the start-up results shown (by
// the page's own clock from the navigation's start, and by the driver's
// beside a blank page's load as the floor; medians of several opens in
// one run), and the time of a press from its click until the page holds the
// results. Exits non-zero when a figure passes its budget:
//   < 400 KB, < 150 KB gzip, open < 150 ms, press < 5 ms.
// Also fails when the page's module carries the tests' harness (runCase),
// which belongs to the tests' module alone.
// PYRELON_SPEED_SLACK=2 doubles the two time budgets, for a machine
// loaded by other work (the test suite runs it so); sizes stay strict.
//   node web/tests/speed.js [BUILD_WEB_DIR] [RUNS]
'use strict';
const fs = require('fs');
const path = require('path');
const zlib = require('zlib');
const { pathToFileURL } = require('url');
const { launch } = require('./browser');

const dir = path.resolve(process.argv[2] || 'build-web');
const runs = Number(process.argv[3] || 15);
const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];

(async () => {
  const file = path.join(dir, 'pyrelon.html');
  const html = fs.readFileSync(file);
  const size = html.length / 1024;
  const gzip = zlib.gzipSync(html, { level: 9 }).length / 1024;
  const blankFile = path.join(dir, 'blank.html');
  fs.writeFileSync(blankFile, '<!DOCTYPE html><meta charset="utf-8"><title>blank</title><body></body>');

  const browser = await launch();
  const context = await browser.newContext({ viewport: { width: 700, height: 560 } });
  const page = await context.newPage();
  const opens = [];
  const blanks = [];
  const inPage = [];
  for (let i = 0; i < runs; i++) {
    let start = Date.now();
    await page.goto(pathToFileURL(blankFile).href);
    blanks.push(Date.now() - start);
    start = Date.now();
    await page.goto(pathToFileURL(file).href, { waitUntil: 'commit' });
    await page.waitForSelector('body[data-ready="true"]', { timeout: 10000 });
    opens.push(Date.now() - start);
    // As the page itself counts it: from the navigation's start, without
    // the driver's round trips.
    inPage.push(Number(await page.evaluate(() => document.body.dataset.readyMs)));
  }
  const presses = [];
  for (let i = 0; i < 40; i++) {
    await page.click(['#TempBtn', '#CarbonBtn', '#OxiBtn', '#FlowBtn'][i % 4]);
    presses.push(Number(await page.evaluate(() => document.body.dataset.lastEventMs)));
  }
  await browser.close();
  fs.unlinkSync(blankFile);

  const open = median(opens);
  const blank = median(blanks);
  const press = median(presses);
  console.log(`size:  ${size.toFixed(1)} KB, ${gzip.toFixed(1)} KB gzip-compressed`);
  const shown = median(inPage);
  console.log(`open:  ${shown} ms from navigation start to the start-up results shown, by the ` +
    `page's clock; ${open} ms by the driver's (a blank page: ${blank} ms), medians of ${runs}`);
  console.log(`press: ${press.toFixed(2)} ms median, ${Math.max(...presses).toFixed(2)} ms slowest of ${presses.length}`);
  const over = [];
  if (size >= 400) over.push('size');
  if (gzip >= 150) over.push('gzip size');
  const calc = await require(path.join(dir, 'pyrelon-module.js'))();
  if (calc.runCase !== undefined) over.push('the page ships the tests\' harness (runCase)');
  const slack = Number(process.env.PYRELON_SPEED_SLACK || 1);
  if (shown >= 150 * slack) over.push('open');
  if (press >= 5 * slack) over.push('press');
  if (over.length) {
    console.log('over budget: ' + over.join(', '));
    process.exit(1);
  }
})();
