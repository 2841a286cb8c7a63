// The tools' views: pyrelon.html#ID shows the tool ID's form, laid out
// from its description in the module, in place of the window; the window
// stays the default view and looks as it did. The Help menu lists the
// tools. No number is read or written here: the module reads the boxes
// and writes every result.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  let calc = null;
  let tools = [];
  let decimal = '.';
  const built = new Map();  // id -> the view's parts
  const mainTitle = document.title;

  function element(tag, props = {}, children = []) {
    const el = document.createElement(tag);
    for (const [key, value] of Object.entries(props)) {
      if (key === 'text') el.textContent = value;
      else if (key in el && typeof value !== 'string') el[key] = value;
      else el.setAttribute(key, value);
    }
    for (const child of children) el.append(child);
    return el;
  }

  // The view of one tool: its form on the left, the results under it, the
  // chart's place on the right.
  function build(tool) {
    const id = tool.id;
    const boxes = [];
    const form = element('form', { class: 'tool-form', id: id + '-form', novalidate: '' });
    form.addEventListener('submit', (e) => e.preventDefault());
    const fields = element('fieldset', {}, [element('legend', { text: 'Inputs' })]);
    for (const input of tool.inputs) {
      const boxId = id + '-' + input.key;
      const rangeId = boxId + '-range';
      const box = element('input', {
        id: boxId, type: 'text', inputmode: 'decimal', autocomplete: 'off', spellcheck: 'false',
        placeholder: input.start === null ? (input.required ? 'required' : 'not given') : input.start,
        'aria-describedby': rangeId,
        title: (input.help ? input.help + '\n' : '') + 'Range: ' + input.range +
          '\nEmpty: ' + (input.start === null ? (input.required ? 'required' : 'not given')
            : input.start + (input.unit ? ' ' + input.unit : '')),
      });
      box.addEventListener('input', () => compute(tool));
      boxes.push(box);
      fields.append(element('div', { class: 'tool-input' }, [
        element('label', { for: boxId, text: input.label }),
        box,
        element('span', { class: 'tool-unit', text: input.unit }),
        element('span', { class: 'tool-range', id: rangeId, text: input.range }),
      ]));
    }
    form.append(fields);
    // Kept for reading a log of readings; no face reads one from here yet.
    form.append(element('input', { id: id + '-file', type: 'file', accept: '.csv,text/csv', hidden: '',
      'aria-label': tool.title + ': readings file (CSV)' }));

    const error = element('p', { id: id + '-error', class: 'tool-error', role: 'alert' });
    const body = element('tbody');
    const cells = [];
    for (const line of tool.lines) {
      const value = element('td', { class: 'tool-value', id: id + '-result-' + line.path });
      const unit = element('td', { class: 'tool-unit' });
      const note = element('td', { class: 'tool-note', id: id + '-note-' + line.path });
      const label = element(line.heading ? 'th' : 'td', {
        class: 'tool-label depth' + line.depth, text: line.label,
        ...(line.heading ? { scope: 'rowgroup', colspan: '4' } : {}),
      });
      body.append(element('tr', line.heading ? { class: 'heading' } : {},
        line.heading ? [label] : [label, value, unit, note]));
      cells.push({ value, unit, note });
    }
    const results = element('table', { class: 'tool-results', id: id + '-results' },
      [element('caption', { text: 'Results' }), body]);

    const view = element('section', { id: id + '-view', class: 'tool-view', hidden: '',
      'aria-labelledby': id + '-title' }, [
      element('nav', {}, [element('a', { href: '#', text: '\u2190 The Pyrelon' })]),
      element('h1', { id: id + '-title', text: tool.title, tabindex: '-1' }),
      element('p', { class: 'tool-summary', text: tool.summary }),
      element('div', { class: 'tool-body' }, [
        element('div', { class: 'tool-side' }, [form, error]),
        results,
        element('div', { id: id + '-chart', class: 'tool-chart', role: 'img',
          'aria-label': tool.title + ' chart' }),
      ]),
    ]);
    document.body.insertBefore(view, $('InfoBox'));
    const parts = { view, boxes, error, cells };
    built.set(id, parts);
    compute(tool);
    return parts;
  }

  function compute(tool) {
    const parts = built.get(tool.id);
    const texts = parts.boxes.map((b) => b.value).join('\n');
    const answer = JSON.parse(calc.toolCompute(tool.id, texts, decimal));
    answer.lines.forEach((line, i) => {
      // An absent value shows a dash, and its note, if any, beside it.
      const noted = line.absent && line.value !== '\u2014';
      const cell = parts.cells[i];
      cell.value.textContent = noted ? '\u2014' : line.value;
      cell.unit.textContent = line.unit;
      cell.note.textContent = noted ? line.value : line.note;
    });
    parts.error.textContent = answer.error;
    parts.boxes.forEach((box, i) => {
      if (i === answer.failedInput) box.setAttribute('aria-invalid', 'true');
      else box.removeAttribute('aria-invalid');
    });
    parts.view.dataset.json = answer.json;
    // For the chart beside the form: the tool, its boxes' texts as the
    // module takes them, and the tool's JSON.
    document.dispatchEvent(new CustomEvent('pyrelon-tool-computed',
      { detail: { id: tool.id, texts, decimal, json: answer.json } }));
  }

  // The view the address names: a tool's, or the window.
  function route() {
    const id = decodeURIComponent(location.hash.slice(1));
    const tool = tools.find((t) => t.id === id);
    for (const [other, parts] of built) if (other !== id) parts.view.hidden = true;
    $('stage').hidden = Boolean(tool);
    if (!tool) {
      document.title = mainTitle;
      window.dispatchEvent(new Event('resize'));  // the window scales to the width again
      return;
    }
    const parts = built.get(id) || build(tool);
    document.body.style.height = '';
    parts.view.hidden = false;
    document.title = tool.title + ' \u2014 ' + mainTitle;
    parts.view.querySelector('h1').focus();
  }

  // The Help menu lists the tools, after its own entries.
  function listInHelp() {
    const list = $('HelpList');
    if (!list || tools.length === 0) return;
    list.append(element('hr', { role: 'separator' }));
    for (const tool of tools) {
      const entry = element('button', { type: 'button', role: 'menuitem', id: 'ToolsMenu-' + tool.id,
        text: tool.title + '\u2026' });
      entry.addEventListener('click', () => {
        list.hidden = true;
        $('HelpMenu').setAttribute('aria-expanded', 'false');
        location.hash = '#' + encodeURIComponent(tool.id);
      });
      list.append(entry);
    }
  }

  document.addEventListener('pyrelon-module', (e) => { calc = e.detail; });
  document.addEventListener('pyrelon-ready', () => {
    if (tools.length > 0 || !calc) return;  // a second start-up keeps the views
    const locale = document.documentElement.lang || navigator.language || 'en-US';
    for (const part of new Intl.NumberFormat(locale).formatToParts(1.5))
      if (part.type === 'decimal') decimal = part.value;
    tools = JSON.parse(calc.toolsJson(decimal));
    listInHelp();
    window.addEventListener('hashchange', route);
    route();
    document.body.dataset.tools = 'ready';
  });
})();
