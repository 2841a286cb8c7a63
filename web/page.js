// The page's side of the browser edition: builds the window from the
// control table, reports what the user does to the calculators (the
// WebAssembly module) and applies the operations they answer with. No
// number is read or written here.
'use strict';
(function () {
  const TWIPS = 15;
  const px = (twips) => twips / TWIPS + 'px';
  const $ = (id) => document.getElementById(id);
  let calc = null;          // the module
  let controls = [];        // the control table
  let byName = new Map();
  const pending = [];       // operations held back behind an open Info Box
  let beeps = 0;

  // --- The user's separators: the browser's language, or ?lang=.
  function separators() {
    const wanted = new URLSearchParams(location.search).get('lang');
    let locale = navigator.language || 'en-US';
    if (wanted) {
      try { locale = Intl.getCanonicalLocales(wanted)[0]; } catch (e) { /* keep the browser's */ }
    }
    document.documentElement.lang = locale;
    let decimal = '.';
    let group = ',';
    for (const part of new Intl.NumberFormat(locale).formatToParts(1234567.5)) {
      if (part.type === 'decimal') decimal = part.value;
      if (part.type === 'group') group = part.value;
    }
    return [decimal, group];
  }

  // --- The logo: a furnace with its flame and the name below.
  function flame(cx, base, w, h, id) {
    const layers = [[1.00, '#be1e0a', '#f05a14'], [0.74, '#f56e14', '#ffaa28'],
      [0.48, '#ffc832', '#fff096'], [0.24, '#fffad2', '#ffffff']];
    let defs = '';
    let paths = '';
    layers.forEach(([s, outer, inner], i) => {
      const lw = w * s, lh = h * s;
      const p = (a, b) => `${(cx + lw * a).toFixed(2)},${(base - lh * b).toFixed(2)}`;
      defs += `<linearGradient id="${id}${i}" x1="0" y1="${base - lh}" x2="0" y2="${base}" gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="${outer}"/><stop offset="1" stop-color="${inner}"/></linearGradient>`;
      paths += `<path fill="url(#${id}${i})" d="M${p(0, 0)}C${p(-0.62, 0)} ${p(-0.62, 0.42)} ${p(-0.30, 0.66)}C${p(-0.12, 0.80)} ${p(-0.10, 0.90)} ${p(0.06, 1)}C${p(0.04, 0.84)} ${p(0.20, 0.74)} ${p(0.34, 0.56)}C${p(0.62, 0.30)} ${p(0.50, 0)} ${p(0, 0)}Z"/>`;
    });
    return [defs, paths];
  }

  function logoSvg() {
    const [flameDefs, flamePaths] = flame(144, 158, 84, 98, 'fl');
    let bricks = '';
    for (let y = 42, row = 1; y < 160; y += 16, row++) {
      bricks += `M56,${y}H233`;
      for (let x = 54 + (row % 2 ? 14 : 28); x < 235; x += 28) bricks += `M${x},${y - 16}V${y}`;
    }
    return `<svg viewBox="0 0 289 219" preserveAspectRatio="none" aria-hidden="true" focusable="false">
<defs><linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#1c1e28"/><stop offset="1" stop-color="#46180c"/></linearGradient>
<radialGradient id="glow" cx="144" cy="150" r="90" gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="#ffc85a"/><stop offset=".5" stop-color="#c84614"/><stop offset="1" stop-color="#3c0e06"/></radialGradient>
<linearGradient id="gold" x1="0" y1="178" x2="0" y2="216" gradientUnits="userSpaceOnUse"><stop offset="0" stop-color="#ffec8c"/><stop offset="1" stop-color="#ff8c1e"/></linearGradient>${flameDefs}</defs>
<rect width="289" height="219" fill="url(#sky)"/>
<rect x="54" y="26" width="181" height="134" rx="6" fill="#803422" stroke="#1e0c08" stroke-width="2"/>
<path d="${bricks}" stroke="#5c2418" stroke-width="1.5" fill="none"/>
<path d="M92,160V106A52.5,52 0 0 1 197,106V160Z" fill="url(#glow)" stroke="#28100a" stroke-width="4"/>
${flamePaths}
<rect x="40" y="158" width="209" height="8" fill="#323238"/>
<text x="144.5" y="212" text-anchor="middle" font-family="Arial, 'Liberation Sans', sans-serif" font-size="40" font-weight="bold" font-style="italic" fill="url(#gold)" stroke="#3c1006" stroke-width="2.5" paint-order="stroke">Pyrelon</text>
</svg>`;
  }

  // --- Building the window from the control table.
  function build() {
    const client = $('ClientArea');
    client.textContent = '';
    byName = new Map();
    const lines = document.createElementNS('http://www.w3.org/2000/svg', 'svg');
    lines.setAttribute('class', 'lines');
    lines.setAttribute('aria-hidden', 'true');
    const panelTitle = (name) => name + 'Title';
    for (const c of controls) {
      let el;
      switch (c.kind) {
        case 'panel':
          el = document.createElement('section');
          el.className = 'panel' + (c.name === 'Frame1' ? ' first' : '');
          el.setAttribute('role', 'group');
          el.setAttribute('aria-labelledby', panelTitle(c.name));
          el.innerHTML = '<span class="title"></span>';
          el.firstChild.id = panelTitle(c.name);
          el.firstChild.textContent = c.text;
          break;
        case 'textbox':
          el = document.createElement('input');
          el.type = 'text';
          el.autocomplete = 'off';
          el.spellcheck = false;
          el.setAttribute('autocapitalize', 'off');
          el.value = c.text;
          if (c.range) el.title = c.range;
          break;
        case 'list':
          el = document.createElement('select');
          break;
        case 'button':
          el = document.createElement('button');
          el.type = 'button';
          el.className = 'solve';
          el.textContent = c.text;
          el.setAttribute('aria-label', c.text + ', ' + byName.get(c.parent).c.text);
          break;
        case 'label':
          el = document.createElement('div');
          el.className = 'label' + (c.align === 'left' ? ' left' : '') + (c.look ? ' ' + c.look : '') +
            (c.h / TWIPS >= 28 && !c.look ? ' wrap' : '');
          el.textContent = c.text;
          if (c.colour) el.style.color = c.colour;
          break;
        case 'result':
          el = document.createElement('output');
          el.className = 'result';
          el.tabIndex = 0;
          el.style.lineHeight = px(c.h);
          el.textContent = c.text;
          break;
        case 'picture':
          el = document.createElement('button');
          el.type = 'button';
          el.className = 'logo';
          el.setAttribute('aria-label', 'Pyrelon logo: the release');
          el.title = "Click to show the program's release";
          el.innerHTML = logoSvg();
          break;
        case 'line': {
          const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
          line.id = c.name;
          line.setAttribute('x1', c.l / TWIPS); line.setAttribute('y1', c.t / TWIPS);
          line.setAttribute('x2', c.w / TWIPS); line.setAttribute('y2', c.h / TWIPS);
          line.setAttribute('stroke', c.colour || '#000');
          line.setAttribute('stroke-width', c.colour === '#c00000' ? 2 : 1);
          lines.appendChild(line);
          // A line inside a panel is drawn by the panel.
          if (c.parent) {
            let svg = byName.get(c.parent).el.querySelector('svg.lines');
            if (!svg) {
              svg = lines.cloneNode(false);
              byName.get(c.parent).el.appendChild(svg);
            }
            svg.appendChild(line);
          }
          byName.set(c.name, { c, el: line });
          continue;
        }
        default:
          continue;
      }
      el.id = c.name;
      el.style.left = px(c.l);
      el.style.top = px(c.t);
      el.style.width = px(c.w);
      el.style.height = px(c.h);
      (c.parent ? byName.get(c.parent).el : client).appendChild(el);
      byName.set(c.name, { c, el });
    }
    client.appendChild(lines);
    for (const { c, el } of byName.values()) if (c.kind === 'label') placeCaption(el, c);
    // Names read out: the panel, the caption above, the unit below.
    for (const { c, el } of byName.values()) {
      if (c.caption === undefined) continue;
      const ids = [panelTitle(c.parent), c.caption, c.unit].filter(Boolean);
      el.setAttribute('aria-labelledby', ids.join(' '));
    }
    wire();
  }

  // --- Applying the calculators' operations, in order. What follows an
  // Info Box waits until it is closed.
  function apply(json) {
    pending.push(...JSON.parse(json));
    drain();
  }

  function drain() {
    while (pending.length && !$('InfoBox').open) {
      const op = pending.shift();
      const target = op[1] !== undefined ? byName.get(op[1]) : undefined;
      switch (op[0]) {
        case 'text':
          target.el.value = op[2];
          target.el.setSelectionRange(0, 0);
          edited(op[1], false);
          break;
        case 'caption':
          target.el.textContent = op[2];
          if (target.c.kind === 'result') toFit.add(target.el);
          if (target.c.kind === 'label') placeCaption(target.el, target.c);
          break;
        case 'add': {
          const option = document.createElement('option');
          option.textContent = op[2];
          target.el.appendChild(option);
          target.el.selectedIndex = -1;
          break;
        }
        case 'select':
          target.el.selectedIndex = op[2];
          break;
        case 'info':
          showInfo(op[1]);
          document.body.dataset.waiting = 'true';
          return;
        case 'beep':
          beep();
          break;
        case 'end':
          endProgram();
          return;
      }
    }
    fit();
    refreshStale();
    delete document.body.dataset.waiting;
  }

  // A one-line caption whose text, in the font the browser has, would not
  // fit its place grows as on the desktop: a left-aligned one to the right,
  // a centred one to both sides. Italic text is measured by its ink, which
  // may reach past its advance. Captions two lines high keep their place.
  let measure = null;
  function placeCaption(el, c) {
    el.style.left = px(c.l);
    el.style.width = px(c.w);
    if (el.classList.contains('wrap')) return;
    measure = measure || document.createElement('canvas').getContext('2d');
    const style = getComputedStyle(el);
    measure.font = `${style.fontStyle} ${style.fontWeight} ${style.fontSize} ${style.fontFamily}`;
    const m = measure.measureText(el.textContent);
    let needed = Math.ceil(m.width);
    if (style.fontStyle === 'italic') needed = Math.max(needed, Math.ceil(m.actualBoundingBoxRight) + 1);
    ++needed;
    const width = Math.floor((c.w + 7) / 15);
    const missing = needed - width;
    if (missing <= 0) return;
    const left = Math.floor((c.l + 7) / 15);
    if (c.align === 'left') {
      el.style.width = needed + 'px';
    } else {
      el.style.left = left - Math.floor((missing + 1) / 2) + 'px';
      el.style.width = needed + 'px';
    }
  }

  // A result too wide for its label is drawn smaller, down to 6 points;
  // then the label widens toward free room (the panel's edge, or halfway to
  // the next control beside it); beyond that it is cut short with an
  // ellipsis, and its whole text shows as its tooltip (and is what a copy
  // takes).
  // The results written are measured together, after all are written, so
  // that the page lays itself out once rather than once per result.
  const toFit = new Set();
  function fit() {
    const written = [...toFit];
    toFit.clear();
    for (const el of written) {
      const { c } = byName.get(el.id);
      el.style.fontSize = '';
      el.style.left = px(c.l);
      el.style.width = px(c.w);
      el.removeAttribute('title');
    }
    for (const el of written.filter((e) => e.scrollWidth > e.clientWidth)) {
      for (let points = 8.5; el.scrollWidth > el.clientWidth && points >= 6; points -= 0.5)
        el.style.fontSize = points + 'pt';
      if (el.scrollWidth > el.clientWidth) widen(el);
      if (el.scrollWidth > el.clientWidth) el.title = el.textContent;
    }
  }

  // Widens a result label into the free room on both sides, in twips.
  function widen(el) {
    const { c } = byName.get(el.id);
    const panel = byName.get(c.parent);
    let low = 0;
    let high = panel ? panel.c.w : 677 * TWIPS;
    for (const { c: other } of byName.values()) {
      if (other === c || other.parent !== c.parent || other.kind === 'line') continue;
      if (other.t >= c.t + c.h || other.t + other.h <= c.t) continue;  // not beside it
      if (other.l + other.w <= c.l) low = Math.max(low, (other.l + other.w + c.l) / 2);
      else if (other.l >= c.l + c.w) high = Math.min(high, (c.l + c.w + other.l) / 2);
    }
    const gap = TWIPS;  // a pixel between neighbours
    low += gap;
    high -= gap;
    const missing = (el.scrollWidth - el.clientWidth + 2) * TWIPS;
    let left = c.l - missing / 2;
    let right = c.l + c.w + missing / 2;
    if (left < low) { right = Math.min(high, right + (low - left)); left = low; }
    if (right > high) { left = Math.max(low, left - (right - high)); right = high; }
    if (right - left > c.w) {
      el.style.left = px(left);
      el.style.width = px(right - left);
    }
  }

  // Where the focus was when the Info Box opened: it goes back there when
  // the box closes.
  let focusBeforeInfo = null;
  function showInfo(text) {
    $('InfoBoxText').textContent = text;
    if (!$('InfoBox').open) focusBeforeInfo = document.activeElement;
    $('InfoBox').showModal();
    $('InfoBoxOk').focus();
  }

  // OK, Enter, Space and Escape close the Info Box whatever inside it has
  // the focus (its button, its text or the box itself after a click).
  function closeInfoOnKey(e) {
    if (e.key !== 'Enter' && e.key !== ' ' && e.key !== 'Escape') return;
    e.preventDefault();
    e.stopPropagation();
    $('InfoBox').close('ok');
  }

  function restoreFocusAfterInfo() {
    const back = focusBeforeInfo;
    focusBeforeInfo = null;
    if (back && back.isConnected && back !== document.body) back.focus();
  }

  let audio = null;
  function beep() {
    beeps++;
    document.body.dataset.beeps = String(beeps);
    try {
      audio = audio || new (window.AudioContext || window.webkitAudioContext)();
      const tone = audio.createOscillator();
      const gain = audio.createGain();
      tone.frequency.value = 880;
      gain.gain.value = 0.15;
      tone.connect(gain).connect(audio.destination);
      tone.start();
      tone.stop(audio.currentTime + 0.08);
    } catch (e) { /* no sound where the browser has none */ }
  }

  // The menu entry: closes the page where the browser lets a page close
  // itself; otherwise the window starts afresh.
  function endProgram() {
    pending.length = 0;
    window.close();
    setTimeout(() => { if (!window.closed) startUp(); }, 0);
  }

  // --- What the user does.
  function edited(name, fromUser) {
    const { c, el } = byName.get(name);
    if (!c.input) return;
    const read = JSON.parse(calc.typed(name, el.value));
    el.classList.toggle('partread', read.warning !== '');
    el.title = read.tip;
    if (read.warning) el.setAttribute('aria-description', read.warning);
    else el.removeAttribute('aria-description');
    if (fromUser) refreshStale();
  }

  function refreshStale() {
    const stale = new Set(JSON.parse(calc.staleLabels()));
    for (const { c, el } of byName.values())
      if (c.kind === 'result') el.classList.toggle('stale', stale.has(c.name));
  }

  // Runs one event, timing it from its start until the page holds what it
  // did.
  function event(run) {
    if (pending.length || $('InfoBox').open) return;
    const start = performance.now();
    apply(run());
    document.body.dataset.lastEventMs = (performance.now() - start).toFixed(3);
  }

  // Characters typed into a box with a key handler meet its filter one by
  // one, each against the text before it; a rejected one beeps and empties
  // the box, and is then typed into the empty box.
  function typeInto(name, el, data, e) {
    const typed = filterTyped(name, el.value, el.selectionStart, el.selectionEnd, data);
    if (!typed.rejected) return;
    e.preventDefault();
    el.value = typed.text;
    el.setSelectionRange(typed.caret, typed.caret);
    edited(name, true);
  }

  // `data` typed over text[from, to), each character against the text
  // before it: the box's text and caret after, and whether any was refused.
  function filterTyped(name, text, from, to, data) {
    from = from ?? text.length;
    to = to ?? from;
    let rejected = false;
    for (const ch of data) {
      calc.typed(name, text);
      const ops = calc.keyPress(name, ch.codePointAt(0));
      if (ops !== '[]') {
        rejected = true;
        apply(ops);
        text = ''; from = to = 0;
      }
      text = text.slice(0, from) + ch + text.slice(to);
      from = to = from + ch.length;
    }
    return { text, caret: from, rejected };
  }

  function wire() {
    for (const { c, el } of byName.values()) {
      const name = c.name;
      if (c.kind === 'textbox') {
        el.addEventListener('input', () => edited(name, true));
        el.addEventListener('keydown', (e) => {
          if (e.isComposing || e.ctrlKey || e.altKey || e.metaKey) return;
          if (e.key === 'Enter' && c.input) {
            e.preventDefault();
            calc.typed(name, el.value);
            event(() => calc.submit(name));
          } else if (e.key === 'Backspace' && c.keys) {
            calc.typed(name, el.value);
            const ops = calc.keyPress(name, 8);
            if (ops !== '[]') {
              e.preventDefault();
              apply(ops);
              edited(name, true);
            }
          }
        });
        if (c.keys) {
          // What an input method commits (a dead key, a compose sequence,
          // a phone keyboard's word) cannot be held back while it is
          // composed; once committed it meets the filter character by
          // character, against the text from before the composition.
          let composing = null;
          el.addEventListener('compositionstart', () => {
            composing = { text: el.value, from: el.selectionStart, to: el.selectionEnd };
          });
          el.addEventListener('compositionend', (e) => {
            const start = composing;
            composing = null;
            if (!start || !e.data) return;
            const typed = filterTyped(name, start.text, start.from, start.to, e.data);
            if (!typed.rejected) return;
            el.value = typed.text;
            el.setSelectionRange(typed.caret, typed.caret);
            edited(name, true);
          });
          el.addEventListener('beforeinput', (e) => {
            if (e.inputType === 'insertText' && e.data) {
              typeInto(name, el, e.data, e);
            } else if (e.inputType === 'insertFromPaste' || e.inputType === 'insertFromDrop') {
              const pasted = e.dataTransfer ? e.dataTransfer.getData('text/plain') : (e.data || '');
              calc.typed(name, el.value);
              const ops = calc.paste(name, pasted);
              if (ops !== '[]') {
                e.preventDefault();
                apply(ops);
                el.value = pasted;
                el.setSelectionRange(pasted.length, pasted.length);
                edited(name, true);
              }
            }
          });
        }
      } else if (c.kind === 'list') {
        el.addEventListener('change', () => {
          calc.chose(name, el.selectedIndex);
          if (c.selects) event(() => calc.select(name));
          else refreshStale();
        });
      } else if ((c.kind === 'button' || c.kind === 'picture') && c.clicks) {
        el.addEventListener('click', () => event(() => calc.click(name)));
      } else if (c.kind === 'result') {
        el.addEventListener('contextmenu', (e) => {
          e.preventDefault();
          openResultMenu(name, e.pageX, e.pageY);
        });
        el.addEventListener('keydown', (e) => {
          if (e.key === 'ContextMenu' || (e.shiftKey && e.key === 'F10')) {
            e.preventDefault();
            const r = el.getBoundingClientRect();
            openResultMenu(name, r.left + scrollX, r.bottom + scrollY);
          }
        });
      }
    }
  }

  // --- A result's menu: copy it, or copy its panel's results as a table.
  let menuFor = null;
  function openResultMenu(name, x, y) {
    const menu = $('ResultMenu');
    menuFor = name;
    menu.style.left = x + 'px';
    menu.style.top = y + 'px';
    menu.hidden = false;
    menu.firstElementChild.focus();
  }
  function closeMenus() {
    $('ResultMenu').hidden = true;
    $('HelpList').hidden = true;
    $('HelpMenu').setAttribute('aria-expanded', 'false');
  }
  function copy(text) {
    if (navigator.clipboard && window.isSecureContext) navigator.clipboard.writeText(text);
    else {
      const area = document.createElement('textarea');
      area.value = text;
      document.body.appendChild(area);
      area.select();
      document.execCommand('copy');
      area.remove();
    }
  }

  function wireOnce() {
    $('ExitMenu').addEventListener('click', () => event(() => calc.click('ExitMenu')));
    $('HelpMenu').addEventListener('click', () => {
      const list = $('HelpList');
      list.hidden = !list.hidden;
      $('HelpMenu').setAttribute('aria-expanded', String(!list.hidden));
      if (!list.hidden) list.firstElementChild.focus();
    });
    $('HelpFormulas').addEventListener('click', () => {
      closeMenus();
      const help = $('HelpText');
      if (!help.firstChild) help.innerHTML = calc.help();
      $('HelpWindow').showModal();
    });
    $('HelpAbout').addEventListener('click', () => {
      closeMenus();
      event(() => calc.click('Image1'));
    });
    $('copyResult').addEventListener('click', () => {
      closeMenus();
      copy(byName.get(menuFor).el.textContent);
    });
    $('copyPanelResults').addEventListener('click', () => {
      closeMenus();
      copy(calc.panelResults(menuFor));
    });
    document.addEventListener('click', (e) => {
      if (!e.target.closest('#ResultMenu, .menu')) closeMenus();
    });
    document.addEventListener('keydown', (e) => { if (e.key === 'Escape') closeMenus(); });
    $('InfoBox').addEventListener('keydown', closeInfoOnKey);
    $('InfoBox').addEventListener('close', restoreFocusAfterInfo);
    $('InfoBox').addEventListener('close', drain);
    window.addEventListener('resize', scale);
  }

  // --- Narrow screens: the whole window scales down to the width.
  function scale() {
    const stage = $('stage');
    const width = document.documentElement.clientWidth;
    const s = Math.min(1, width / 677);
    stage.style.transform = s < 1 ? `scale(${s})` : '';
    stage.style.margin = s < 1 ? '0' : '';
    document.body.style.height = s < 1 ? Math.ceil($('Pyrelon').offsetHeight * s) + 'px' : '';
  }

  function startUp() {
    build();
    const [decimal, group] = separators();
    pending.length = 0;
    apply(calc.startUp(decimal, group));
    document.body.dataset.readyMs = performance.now().toFixed(1);
    document.body.dataset.ready = 'true';
    document.dispatchEvent(new Event('pyrelon-ready'));
  }

  // Installed as an app only where the page is served.
  function offerInstall() {
    if (!/^https?:$/.test(location.protocol)) return;
    const link = document.createElement('link');
    link.rel = 'manifest';
    link.href = 'manifest.webmanifest';
    document.head.appendChild(link);
    if ('serviceWorker' in navigator) navigator.serviceWorker.register('sw.js').catch(() => {});
  }

  PyrelonModule().then((module) => {
    calc = module;
    document.dispatchEvent(new CustomEvent('pyrelon-module', { detail: module }));
    controls = JSON.parse(calc.controlsJson());
    wireOnce();
    scale();
    startUp();
    offerInstall();
  });
})();
