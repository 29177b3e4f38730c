// 最佳组合 on the page: a panel below the window (on a phone, after the
// panel of 实际提升与收益曲线), opened by its button. Its module and its words
// are the core's, loaded in a worker when the panel first opens; the panel
// draws what the worker says and forwards what the player does.
//
// What is typed in the list is kept in the tab's session storage, so that a
// reload keeps it; the list read in goes into the address with the inputs.

import { gearGrid } from './gear-grid.js';
import { element } from './insight.js';

const draftKey = 'velmora-best-gear-draft';

function button(text) {
  const made = element('button', '', text);
  made.type = 'button';
  return made;
}

function keptDraft() {
  try {
    return sessionStorage.getItem(draftKey);
  } catch {
    return null; // storage refused: the address alone keeps the list
  }
}

function keepDraft(draft) {
  try {
    if (draft === null) {
      sessionStorage.removeItem(draftKey);
    } else {
      sessionStorage.setItem(draftKey, draft);
    }
  } catch {
    // storage refused or full: the address keeps the list once it is read in
  }
}

/** @param {Element} node @param {string} text */
function writeText(node, text) {
  if (node.textContent !== text) {
    node.textContent = text;
  }
}

/** @param {Calculator} calculator @param {{ writeNow: () => void, showBox: (box: WarningBox) => void }} page */
export function bestGearPanel(calculator, page) {
  const panel = document.getElementById('best-gear');
  /** @type {Worker | null} */
  let worker = null;
  /** @type {Map<number, (reply: any) => void>} */
  const waiting = new Map();
  let asked = 0;
  let opened = null; // the address piece the panel's list came from
  let parts = null;

  function ask(action, extra = {}) {
    const id = ++asked;
    worker.postMessage({ id, action, basis: calculator.searchBasis(), ...extra });
    return new Promise((resolve) => waiting.set(id, resolve));
  }

  function received({ data }) {
    if (data.table !== undefined && parts !== null) {
      parts.grid.draw(data.table);
    }
    if (data.id !== undefined) {
      const resolve = waiting.get(data.id);
      waiting.delete(data.id);
      draw(data.shown);
      resolve(data);
      return;
    }
    draw(data.shown);
    if (data.ended) {
      // Said once the answer stands: where the search got, and the best row.
      const best = data.shown.rows.length > 0 ? `。${data.shown.rows[0].line}` : '';
      parts.said.textContent = '';
      requestAnimationFrame(() => {
        parts.said.textContent = data.shown.status + best;
      });
    }
  }

  /** @param {BestGearWords} words */
  function build(words) {
    const caption = element('h2', '', words.caption);
    caption.id = 'best-gear-caption';
    caption.tabIndex = -1;
    const rules = element('p', '', words.rules);
    rules.id = 'best-gear-rules';
    // The grid edits the draft the text area shows: each change comes back
    // as the draft, written to the area (unless it is being typed in) and
    // kept for a reload.
    const edited = async (action, extra = {}) => {
      const reply = await ask(action, extra);
      if (document.activeElement !== list) {
        list.value = reply.draft;
      }
      keepDraft(reply.draft);
      return reply;
    };
    const grid = gearGrid(words, {
      cell: (row, column, text) => edited('cell', { row, column, text }),
      worn: (row) => edited('worn', { row }),
      add: async () => (await edited('add')).focus,
      remove: async (row) => (await edited('remove', { row })).focus,
    });
    const textRules = element('p', '', words.textRules);
    textRules.id = 'best-gear-text-rules';
    const keys = element('p', '', words.keys);
    keys.id = 'best-gear-keys';
    const list = /** @type {HTMLTextAreaElement} */ (element('textarea', 'gear-list'));
    list.id = 'best-gear-list';
    list.rows = 8;
    list.spellcheck = false;
    list.setAttribute('autocomplete', 'off');
    list.setAttribute('aria-describedby', 'best-gear-text-rules best-gear-keys');
    const label = element('label', '', words.listName);
    label.htmlFor = list.id;
    const read = button(words.read);
    const write = button(words.write);
    const listState = element('span', 'list-state');
    const start = button(words.start);
    const stop = button(words.stop);
    const resume = button(words.continue);
    const status = element('p', 'insight-line');
    status.tabIndex = 0;
    const rows = element('ol', 'insight-rows best-rows');
    const straightLine = element('p', 'insight-line');
    straightLine.tabIndex = 0;
    const said = element('p', 'assistive-only');
    said.setAttribute('role', 'status');
    const listButtons = element('div', 'ranges');
    listButtons.append(read, write, listState);
    const searchButtons = element('div', 'ranges');
    searchButtons.append(start, stop, resume);
    const gridBox = element('div', 'gear-grid-box');
    gridBox.append(grid.table);
    panel.append(caption, rules, gridBox, grid.add, textRules, label, list, keys, listButtons, searchButtons, status,
      rows, straightLine, said);
    parts = { caption, grid, list, read, write, listState, start, stop, resume, status, rows, straightLine, said };

    // Tab types a separator, as in a spreadsheet; after Escape, Tab leaves.
    let leaving = false;
    list.addEventListener('keydown', (event) => {
      if (event.key === 'Escape') {
        leaving = true;
        return;
      }
      if (event.key === 'Tab' && !leaving && !event.shiftKey && !event.ctrlKey && !event.altKey && !event.metaKey) {
        event.preventDefault();
        list.setRangeText('\t', list.selectionStart, list.selectionEnd, 'end');
        list.dispatchEvent(new Event('input'));
      }
      leaving = false;
    });
    list.addEventListener('input', () => {
      keepDraft(list.value);
      ask('type', { draft: list.value });
    });
    read.addEventListener('click', async () => {
      const reply = await ask('read', { draft: list.value });
      if (reply.box !== null) {
        page.showBox(reply.box);
        return;
      }
      opened = reply.piece;
      calculator.setGearListAddress(reply.piece);
      page.writeNow();
    });
    write.addEventListener('click', () => edited('write'));
    start.addEventListener('click', () => ask('start'));
    stop.addEventListener('click', async () => {
      await ask('stop');
      resume.focus();
    });
    resume.addEventListener('click', () => ask('continue'));
  }

  /** @param {BestGearShown} shown */
  function draw(shown) {
    if (parts === null) {
      return; // the words are not yet in
    }
    // A running search reports ten times a second: only what changed is
    // written, and rows are kept, so that the page lays out little and a
    // row the player is on keeps the focus.
    writeText(parts.listState, shown.list);
    writeText(parts.status, shown.status);
    const rows = parts.rows;
    while (rows.children.length > shown.rows.length) {
      rows.lastElementChild.remove();
    }
    shown.rows.forEach((row, rank) => {
      let line = rows.children[rank];
      if (line === undefined) {
        line = rows.appendChild(element('li', 'insight-line'));
        line.tabIndex = 0;
      }
      writeText(line, row.line);
      line.classList.toggle('near-best', row.nearBest);
    });
    writeText(parts.straightLine, shown.straightLine);
    parts.straightLine.hidden = shown.straightLine === '';
    parts.start.disabled = !shown.canStart;
    parts.stop.disabled = !shown.canStop;
    parts.resume.disabled = !shown.canContinue;
  }

  // The list of the address in the panel: on the first opening, and when a
  // new address (a link, back or forward) brings another one.
  async function openList() {
    opened = calculator.gearListAddress();
    const reply = await ask('open', { piece: opened });
    const draft = keptDraft();
    if (draft !== null && draft !== reply.draft) {
      parts.list.value = draft; // typed before a reload, not yet read in
      await ask('type', { draft });
    } else {
      parts.list.value = reply.draft;
    }
  }

  return {
    async open() {
      if (worker === null) {
        worker = new Worker('best-gear-worker.js');
        worker.addEventListener('message', received);
        const { words } = await ask('words');
        build(words);
        await openList();
      }
      panel.hidden = false;
      parts.caption.scrollIntoView({ block: 'start' });
      parts.list.focus({ preventScroll: true });
    },
    // After every call into the core: a new address's list, and whether the
    // answer still belongs to the panel of the last 计算.
    show() {
      if (worker === null || parts === null) {
        return;
      }
      if (calculator.gearListAddress() !== opened) {
        keepDraft(null);
        openList();
      } else {
        ask('shown');
      }
    },
  };
}
