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
  let clientWidth = 0;      // pixels

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
          el.className = 'panel' + (c.first ? ' first' : '');
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
          el.setAttribute('aria-label', c.label);
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
          el.innerHTML = calc.logoSvg();
          break;
        case 'line': {
          const line = document.createElementNS('http://www.w3.org/2000/svg', 'line');
          line.id = c.name;
          line.setAttribute('x1', c.l / TWIPS); line.setAttribute('y1', c.t / TWIPS);
          line.setAttribute('x2', c.w / TWIPS); line.setAttribute('y2', c.h / TWIPS);
          line.setAttribute('stroke', c.colour || '#000');
          line.setAttribute('stroke-width', c.pen);
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
    const place = JSON.parse(calc.captionPlace(c.name, needed + 1));
    if (place) [el.style.left, el.style.width] = place.map((v) => v + 'px');
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

  // Widens a result label into the free room beside it (shell/presentation.h).
  function widen(el) {
    const { c } = byName.get(el.id);
    const needed = Math.round(c.w / TWIPS) + el.scrollWidth - el.clientWidth + 2;
    const place = JSON.parse(calc.resultPlace(c.name, needed));
    if (place) [el.style.left, el.style.width] = place.map((v) => v + 'px');
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
    const s = Math.min(1, width / clientWidth);
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

  // The module's WebAssembly, gzip-compressed in the page (web/assemble.js).
  function wasmBinary() {
    const text = atob(document.getElementById('PyrelonWasm').textContent.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Response(stream).arrayBuffer();
  }

  wasmBinary().then((binary) => PyrelonModule({ wasmBinary: binary })).then((module) => {
    calc = module;
    document.dispatchEvent(new CustomEvent('pyrelon-module', { detail: module }));
    controls = JSON.parse(calc.controlsJson());
    const [width, height] = JSON.parse(calc.clientSize());
    clientWidth = width;
    document.documentElement.style.setProperty('--client-width', width + 'px');
    document.documentElement.style.setProperty('--client-height', height + 'px');
    wireOnce();
    scale();
    startUp();
    offerInstall();
  });
})();
