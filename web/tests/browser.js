// Shared set-up of the browser tests: Debian's Chromium, headless, driven
// by playwright-core; the page opened from disk.
'use strict';
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const buildDir = path.resolve(process.env.PYRELON_WEB_BUILD || 'build-web');
// The page itself, or another build of it (PYRELON_WEB_PAGE: a test build).
const pageUrl = pathToFileURL(process.env.PYRELON_WEB_PAGE || path.join(buildDir, 'pyrelon.html')).href;

function launch() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--autoplay-policy=no-user-gesture-required'],
  });
}

// A page at `query` (e.g. "?lang=it-IT"), once its start-up results show.
async function open(browser, { query = '', width = 700, height = 560, offline = false } = {}) {
  const context = await browser.newContext({ viewport: { width, height } });
  // A page that never gets there fails in seconds, not at the suite's limit.
  context.setDefaultTimeout(10000);
  if (offline) await context.setOffline(true);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(String(e)));
  page.errors = errors;
  await page.goto(pageUrl + query);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}

// The texts of controls: a box's or list's value as shown, a label's text.
function texts(page, names) {
  return page.evaluate((list) => list.map((name) => {
    const el = document.getElementById(name);
    if (el instanceof HTMLSelectElement) return el.selectedIndex < 0 ? '' : el.options[el.selectedIndex].text;
    return el instanceof HTMLInputElement ? el.value : el.textContent;
  }), names);
}

// Replaces a box's text by typing, as a person does.
async function type(page, box, text) {
  await page.click('#' + box, { clickCount: 3 });
  await page.keyboard.press('Control+A');
  await page.keyboard.press('Delete');
  if (text) await page.keyboard.type(text);
}

const beeps = (page) => page.evaluate(() => Number(document.body.dataset.beeps || 0));
const infoBox = (page) => page.evaluate(() => {
  const box = document.getElementById('InfoBox');
  return box.open ? { title: document.getElementById('InfoBoxTitle').textContent,
    text: document.getElementById('InfoBoxText').textContent } : null;
});

// Closes the Info Box with its OK button and waits until what the press
// does after it is done.
async function closeInfoBox(page) {
  await page.click('#InfoBoxOk');
  await page.waitForFunction(() => !document.getElementById('InfoBox').open &&
    document.body.dataset.waiting === undefined);
}

module.exports = { closeInfoBox,  launch, open, texts, type, beeps, infoBox, pageUrl, buildDir };
