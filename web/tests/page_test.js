// The page in headless Chromium, through real key presses and clicks.
// Expected values are worked by hand from the formulas.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const { launch, open, texts, type, beeps, infoBox, closeInfoBox } = require('./browser');

let browser;
test.before(async () => { browser = await launch(); });
test.after(async () => { await browser.close(); });

test('start-up shows every panel solved, as the desktop window does', async () => {
  const page = await open(browser);
  const table = [
    // temperature 0 °C: 32 °F, 273.15 K, 491.67 °R
    [['GradiCmb', 'DataText', 'Lab2', 'Lab4', 'Label12'], ['°Centigradi', '0', '32.0', '273.2', '491.7']],
    // 10 % H2 and 31.61 % NH3: 31.61 / 10^1.5 = 0.99960 -> 10 x ... NK 10.00
    [['HTxt', 'NTxt', 'NkLbl'], ['10', '31.61', '10.00']],
    // 1.013 bar: 14.69 psi, 101.3 kPa, 1013 mbar
    [['PresCmb', 'PresText', 'Lab10', 'Lab11', 'Lab20'], ['bar', '1.013', '14.70', '101.3', '1013']],
    [['FuelCmb', 'WetLbl', 'DryLbl', 'Co2Lbl', 'AirLbl', 'NetLbl', 'GrossLbl'],
      ['Metano', '1.0', '1.2', '11.0', '1.056', '83.5', '93.7']],
    [['OxygenCmb', 'OxyLbl'], ['Standard', '1.00']],
    [['ProbeCmb', 'MvZccTxt', 'TempTxt', 'CoTxt', 'CarbonLbl'], ['Accucarb', '1121', '830', '20', '1.000']],
    // no compensation: the flow as read
    [['FlowCmb', 'FlowTxt', 'FlowLbl'], ['None', '10.0', '10']],
  ];
  for (const [names, expected] of table) assert.deepEqual(await texts(page, names), expected);
  assert.deepEqual(page.errors, []);
});

test('one press per panel gives its results', async () => {
  const page = await open(browser);
  const cases = [
    {
      name: 'temperature 850 °C: x 1.8 + 32, + 273.15, + 491.67 after',
      act: async () => { await type(page, 'DataText', '850'); await page.click('#TempBtn'); },
      names: ['Lab2', 'Lab4', 'Label12'], expected: ['1562.0', '1123.2', '2021.7'],
    },
    {
      name: 'pressure 2 bar: 2 / 0.0689 = 29.03 psi, 200 kPa, 2000 mbar',
      act: async () => { await type(page, 'PresText', '2'); await page.click('#PresBtn'); },
      names: ['Lab10', 'Lab11', 'Lab20'], expected: ['29.03', '200.0', '2000'],
    },
    {
      name: 'psi relabels, presets 14.504 and solves: x 0.0689 = 0.9993 bar, x 68.947 = 1000.01 mbar',
      act: async () => { await page.selectOption('#PresCmb', { label: 'psi' }); },
      names: ['PresText', 'Lab15', 'Lab10', 'Lab20'], expected: [' 14.504', 'bar', '1.00', '1000'],
    },
    {
      name: 'nitriding 25 % H2, 50 % NH3: 0.5 / 0.25^1.5 = 4',
      act: async () => {
        await type(page, 'HTxt', '25'); await type(page, 'NTxt', '50'); await page.click('#NkBtn');
      },
      names: ['NkLbl'], expected: ['4.00'],
    },
    {
      name: 'carbon, DIN 17022 with the start-up readings',
      act: async () => { await page.selectOption('#ProbeCmb', { label: 'DIN 17022' }); await page.click('#CarbonBtn'); },
      names: ['CarbonLbl'], expected: ['0.905'],
    },
    {
      name: 'lambda, Metano with the start-up readings, solved again',
      act: async () => { await page.click('#OxiBtn'); },
      names: ['WetLbl', 'DryLbl', 'Co2Lbl', 'AirLbl', 'NetLbl', 'GrossLbl'],
      expected: ['1.0', '1.2', '11.0', '1.056', '83.5', '93.7'],
    },
    {
      name: 'oxygen, Standard with the start-up readings',
      act: async () => { await page.click('#OxygenBtn'); },
      names: ['OxyLbl'], expected: ['1.00'],
    },
    {
      name: 'flow, temperature compensation: 10 x sqrt(298.15 / 373.15) = 8.94',
      act: async () => {
        await page.selectOption('#FlowCmb', { label: 'Temperature' });
        await type(page, 'FlowTempTxt', '100');
        await page.keyboard.press('Enter');
      },
      names: ['FlowLbl', 'RefTempTxt', 'FlowTxt'], expected: ['8.94', '25.0', '10.0'],
    },
  ];
  for (const c of cases) {
    await c.act();
    assert.deepEqual(await texts(page, c.names), c.expected, c.name);
  }
  const ms = Number(await page.evaluate(() => document.body.dataset.lastEventMs));
  assert.ok(ms < 50, `a press took ${ms} ms`);
  assert.deepEqual(page.errors, []);
});

test('a reading beyond its limits shows the limits box, then puts the box back', async () => {
  const page = await open(browser);
  // carbon: the box goes back after the box is closed; nitriding: before
  const cases = [
    { name: 'carbon: put back after the box', box: 'MvZccTxt', text: '500', button: 'CarbonBtn', first: 'The min mV probe value is 960 mV',
      whileOpen: '500', after: '1121', result: ['CarbonLbl', '1.000'] },
    { name: 'nitriding: put back before the box', box: 'HTxt', text: '0', button: 'NkBtn', first: null, whileOpen: '10', after: '10',
      result: ['NkLbl', '10.00'] },
  ];
  for (const c of cases) {
    await type(page, c.box, c.text);
    await page.click('#' + c.button);
    const box = await infoBox(page);
    assert.ok(box, `${c.name}: no box`);
    assert.equal(box.title, 'Info Box');
    if (c.first) assert.equal(box.text.split('\n')[0], c.first);
    assert.deepEqual(await texts(page, [c.box]), [c.whileOpen], `${c.name}, while the box is open`);
    // Nothing else reacts while it is open.
    await page.click('#TempBtn', { force: true, timeout: 1000 }).catch(() => {});
    assert.ok(await infoBox(page), 'the box stays open');
    await closeInfoBox(page);
    assert.equal(await infoBox(page), null);
    assert.deepEqual(await texts(page, [c.box, c.result[0]]), [c.after, c.result[1]], c.name);
  }
});

test('OK, Enter, Space and Escape close the Info Box whatever inside it has the focus', async () => {
  const page = await open(browser);
  // Where the focus is before each key: the OK button, the box after a
  // click on its text, the box after a click on its title.
  const focus = {
    button: () => page.focus('#InfoBoxOk'),
    text: () => page.click('#InfoBoxText'),
    title: () => page.click('#InfoBoxTitle'),
  };
  const closers = [
    ['button', 'click'], ['button', 'Enter'], ['button', ' '], ['button', 'Escape'],
    ['text', 'Enter'], ['text', ' '], ['text', 'Escape'],
    ['title', 'Enter'], ['title', ' '], ['title', 'Escape'],
  ];
  for (const [where, key] of closers) {
    const name = `${key} with the focus on the ${where}`;
    await type(page, 'PresText', '1E400');
    await page.focus('#PresBtn');
    await page.keyboard.press('Enter');  // the button pressed from the keyboard
    assert.ok(await infoBox(page), `${name}: no box`);
    await focus[where]();
    if (key === 'click') await page.click('#InfoBoxOk');
    else await page.keyboard.press(key === ' ' ? 'Space' : key);
    await page.waitForFunction(() => !document.getElementById('InfoBox').open, null,
      { timeout: 2000 }).catch(() => {});
    assert.equal(await infoBox(page), null, `${name}: the box stays open`);
    assert.equal(await page.evaluate(() => document.activeElement && document.activeElement.id),
      'PresBtn', `${name}: the focus does not return`);
  }
  assert.deepEqual(page.errors, []);
});

test('a number beyond the double range ends the press with its sentence', async () => {
  const page = await open(browser);
  await type(page, 'PresText', '1E400');
  await page.click('#PresBtn');
  const box = await infoBox(page);
  assert.equal(box && box.text, 'The input pressure is too large a number.');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('InfoBox').open);
  assert.deepEqual(await texts(page, ['Lab10', 'Lab11', 'Lab20']), ['', '', '']);
});

test('the hydrogen and ammonia boxes filter keys, with a beep', async () => {
  const page = await open(browser);
  const cases = [
    // name, box, typed keys, text afterwards, beeps
    ['digits pass', 'HTxt', '10', '10', 0],
    ['no point yet and no digit: beep, empty, then the key', 'HTxt', '10.', '.', 1],
    ['a first point beeps, the digit after it passes', 'HTxt', '.5', '.5', 1],
    ['once a point is there, anything passes', 'NTxt', '3.x', '.x', 1],
    ['a letter after a point passes', 'NTxt', '.5x', '.5x', 1],
    ['a letter first beeps', 'NTxt', 'a1', 'a1', 1],
    ['other boxes take every key', 'DataText', 'a.', 'a.', 0],
  ];
  for (const [name, box, keys, expected, beepCount] of cases) {
    await type(page, box, '');
    const before = await beeps(page);
    await page.keyboard.type(keys);
    assert.deepEqual(await texts(page, [box]), [expected], name);
    assert.equal((await beeps(page)) - before, beepCount, `beeps: ${name}`);
  }
  // A paste meets the filter once: digits with one point pass, so 31.61
  // can be pasted where it cannot be typed; anything else empties first.
  await page.context().grantPermissions(['clipboard-read', 'clipboard-write']);
  for (const [current, pasted, expected, beepCount] of [['', '31.61', '31.61', 0], ['10', '1,5', '1,5', 1]]) {
    await type(page, 'NTxt', current);
    await page.evaluate((text) => navigator.clipboard.writeText(text), pasted);
    const before = await beeps(page);
    await page.keyboard.press('Control+V');
    assert.deepEqual(await texts(page, ['NTxt']), [expected], `paste ${pasted}`);
    assert.equal((await beeps(page)) - before, beepCount, `beeps for pasting ${pasted}`);
  }
  await type(page, 'HTxt', '10');
  await page.evaluate(() => navigator.clipboard.writeText('31.61'));
  await type(page, 'NTxt', '');
  await page.keyboard.press('Control+V');
  await page.keyboard.press('Enter');
  // 0.3161 / 0.1^1.5 = 9.996
  assert.deepEqual(await texts(page, ['NkLbl']), ['10.00']);

  // Backspace is a key too: without a point it empties the box.
  await type(page, 'HTxt', '12');
  const before = await beeps(page);
  await page.keyboard.press('Backspace');
  assert.deepEqual(await texts(page, ['HTxt']), ['']);
  assert.equal((await beeps(page)) - before, 1);

  // What an input method commits meets the filter too, character by
  // character: a digit passes, an accented letter beeps and empties first.
  const ime = await page.context().newCDPSession(page);
  for (const [current, committed, expected, beepCount] of [['10', '5', '105', 0], ['10', '\u00e9', '\u00e9', 1]]) {
    await type(page, 'HTxt', current);
    const was = await beeps(page);
    await ime.send('Input.imeSetComposition', { text: committed, selectionStart: 1, selectionEnd: 1 });
    await ime.send('Input.insertText', { text: committed });
    assert.deepEqual(await texts(page, ['HTxt']), [expected], `committed ${committed}`);
    assert.equal((await beeps(page)) - was, beepCount, `beeps for committing ${committed}`);
  }
});

test('the logo shows the about box; the Help menu does too', async () => {
  const page = await open(browser);
  for (const open of [async () => page.click('#Image1'),
    async () => { await page.click('#HelpMenu'); await page.click('#HelpAbout'); }]) {
    await open();
    assert.deepEqual(await infoBox(page), { title: 'Info Box',
      text: 'The Pyrelon \nRelease 1.7 (23-09-2002)\nAuthor \nFactory Quorvent\n\n\n' });
    await closeInfoBox(page);
    assert.equal(await infoBox(page), null);
  }
});

test('the menu entry starts the window afresh where the page cannot close', async () => {
  const page = await open(browser);
  await type(page, 'DataText', '850');
  await page.click('#TempBtn');
  await page.click('#ExitMenu');
  await page.waitForFunction(() => document.getElementById('Lab2').textContent === '32.0');
  assert.deepEqual(await texts(page, ['DataText', 'Lab2', 'GradiCmb']), ['0', '32.0', '°Centigradi']);
});

test('a comma language writes results with a comma', async () => {
  const page = await open(browser, { query: '?lang=it-IT' });
  assert.deepEqual(await texts(page, ['CarbonLbl', 'Lab10', 'Lab11', 'NkLbl', 'OxyLbl', 'AirLbl', 'PresText']),
    ['1,000', '14,70', '101,3', '10,00', '1,00', '1,056', '1.013']);
  await type(page, 'DataText', '850');
  await page.click('#TempBtn');
  assert.deepEqual(await texts(page, ['Lab2', 'Lab4', 'Label12']), ['1562,0', '1123,2', '2021,7']);
  // A comma typed into a box is read only in part, and the box says so.
  await type(page, 'DataText', '1,5');
  const marked = await page.evaluate(() => {
    const box = document.getElementById('DataText');
    return [box.classList.contains('partread'), box.getAttribute('aria-description')];
  });
  assert.equal(marked[0], true);
  assert.match(marked[1], /^Read as "1"/);
  // Results no longer matching the inputs are dimmed until solved again.
  assert.equal(await page.evaluate(() => document.getElementById('Lab2').classList.contains('stale')), true);
  await page.click('#TempBtn');
  assert.equal(await page.evaluate(() => document.getElementById('Lab2').classList.contains('stale')), false);
  assert.deepEqual(await texts(page, ['Lab2']), ['33,8']);
});

test('on a 390 px wide screen every control can be reached and used', async () => {
  const page = await open(browser, { width: 390, height: 844 });
  const unreachable = await page.evaluate(() => {
    const bad = [];
    const width = document.documentElement.clientWidth;
    for (const el of document.querySelectorAll('#ClientArea input, #ClientArea select, #ClientArea button, #ClientArea output, #MenuBar > button, #HelpMenu')) {
      const r = el.getBoundingClientRect();
      const x = r.left + r.width / 2;
      const y = r.top + r.height / 2;
      const hit = document.elementFromPoint(x, y);
      if (r.left < 0 || r.right > width + 0.5 || !(hit && (hit === el || el.contains(hit)))) bad.push(el.id);
    }
    return bad;
  });
  assert.deepEqual(unreachable, []);
  assert.equal(await page.evaluate(() => document.documentElement.scrollWidth <= document.documentElement.clientWidth), true);
  await type(page, 'DataText', '850');
  await page.tap?.('#TempBtn').catch(() => {});
  await page.click('#TempBtn');
  assert.deepEqual(await texts(page, ['Lab2']), ['1562.0']);
});

test('opened from disk with the network off, the page needs nothing else', async () => {
  const context = await browser.newContext();
  await context.setOffline(true);
  const requests = [];
  context.on('request', (r) => requests.push(r.url()));
  const page = await context.newPage();
  const { pageUrl } = require('./browser');
  await page.goto(pageUrl);
  await page.waitForSelector('body[data-ready="true"]');
  assert.deepEqual(requests, [pageUrl]);
  assert.deepEqual(await texts(page, ['CarbonLbl', 'OxyLbl']), ['1.000', '1.00']);
  await context.close();
});

test('controls are named by their panel, caption and unit, and Tab goes panel by panel', async () => {
  const page = await open(browser);
  const names = [
    ['textbox', 'ZrO2 Carbon Probe mV Probe'],
    ['textbox', 'Mass Flow Compensation for Orifice Ref. Temp °C'],
    ['combobox', 'Lambda Oxigen Probe FuelType'],
    ['button', 'Solve, Temperature Conversion'],
    ['status', 'ZrO2 Carbon Probe % Carbon'],
  ];
  for (const [role, name] of names)
    assert.equal(await page.getByRole(role, { name, exact: true }).count(), 1, `${role} "${name}"`);
  // From the menu bar into the first panel, row by row, left to right.
  await page.focus('#HelpMenu');
  const order = [];
  for (let i = 0; i < 9; i++) {
    await page.keyboard.press('Tab');
    order.push(await page.evaluate(() => document.activeElement.id));
  }
  assert.deepEqual(order, ['GradiCmb', 'DataText', 'TempBtn', 'Lab2', 'Lab4', 'Label12', 'HTxt', 'NTxt', 'NkBtn']);
});

test('served over http, the page installs its worker and opens again offline', async () => {
  const http = require('http');
  const fs = require('fs');
  const path = require('path');
  const { buildDir } = require('./browser');
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.webmanifest': 'application/manifest+json',
    '.svg': 'image/svg+xml' };
  const server = http.createServer((req, res) => {
    const file = path.join(buildDir, path.basename(new URL(req.url, 'http://x').pathname) || 'pyrelon.html');
    fs.readFile(file, (err, data) => {
      if (err) { res.writeHead(404); res.end(); return; }
      res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      res.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/pyrelon.html`;
  const context = await browser.newContext();
  try {
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForSelector('body[data-ready="true"]');
    assert.equal(await page.evaluate(() => document.querySelector('link[rel=manifest]').href.endsWith('manifest.webmanifest')), true);
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.close();
    await context.setOffline(true);
    await page.reload();
    await page.waitForSelector('body[data-ready="true"]');
    assert.deepEqual(await texts(page, ['CarbonLbl', 'Lab2']), ['1.000', '32.0']);
  } finally {
    await context.close();
    server.close();
  }
});

test('a result too long for its label keeps its whole text, shown as the tooltip', async () => {
  const page = await open(browser);
  await type(page, 'DataText', '1e200');
  await page.click('#TempBtn');
  // 1e200 x 1.8 + 32 = 1.8e200, every whole digit written
  const [text, title, fontSize] = await page.evaluate(() => {
    const el = document.getElementById('Lab2');
    return [el.textContent, el.title, getComputedStyle(el).fontSize];
  });
  assert.match(text, /^180{199}\.0$/);
  assert.equal(title, text);
  assert.equal(fontSize, '8px');
  await type(page, 'DataText', '850');
  await page.click('#TempBtn');
  assert.deepEqual(await page.evaluate(() => [document.getElementById('Lab2').title,
    getComputedStyle(document.getElementById('Lab2')).fontSize]), ['', '12px']);

  // 1E6 bar is 10215000000 mmH2O: too wide at 6 points for its 58 px, so
  // the label widens into the room beside it, short of its neighbours.
  await type(page, 'PresText', '1E6');
  await page.click('#PresBtn');
  const boxes = await page.evaluate(() => ['Lab12', 'Lab13', 'Lab14'].map((id) => {
    const r = document.getElementById(id).getBoundingClientRect();
    return { left: r.left, right: r.right, text: document.getElementById(id).textContent };
  }));
  assert.equal(boxes[1].text, '10215000000');
  assert.ok(boxes[1].right - boxes[1].left > 58.5, `widened: ${JSON.stringify(boxes[1])}`);
  assert.ok(boxes[1].left > boxes[0].right && boxes[1].right < boxes[2].left, JSON.stringify(boxes));
  // Back to a short value, the label is back at its place.
  await type(page, 'PresText', '1');
  await page.click('#PresBtn');
  assert.equal(await page.evaluate(() => document.getElementById('Lab13').getBoundingClientRect().width), 58);
});

test('the Help menu shows the formulas and constants', async () => {
  const page = await open(browser);
  await page.click('#HelpMenu');
  await page.click('#HelpFormulas');
  const help = await page.evaluate(() => [document.getElementById('HelpWindow').open,
    document.getElementById('HelpText').textContent]);
  assert.equal(help[0], true);
  for (const title of ['Temperature Conversion', 'ZrO2 Carbon Probe', 'Mass Flow Compensation for Orifice'])
    assert.ok(help[1].includes(title), title);
  await page.keyboard.press('Escape');
  assert.equal(await page.evaluate(() => document.getElementById('HelpWindow').open), false);
});
