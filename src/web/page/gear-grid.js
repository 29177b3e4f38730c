// The grid of cells of 最佳组合's candidate list: a row of boxes for each item
// (部位, 名称, the 已穿 box, the eight ratings) and a button that removes it,
// under the fields' titles, and a button that adds an item. It draws the
// core's table of the draft and forwards what is typed; the text area shows
// the same draft.

import { element } from './insight.js';

/**
 * @param {BestGearWords} words
 * @param {{ cell: (row: number, column: number, text: string) => void, worn: (row: number) => void,
 *   add: () => Promise<GearGridFocus>, remove: (row: number) => Promise<GearGridFocus> }} forward
 */
export function gearGrid(words, forward) {
  const table = element('table', 'gear-grid');
  table.setAttribute('aria-label', words.gridName);
  const titles = element('tr');
  for (const title of words.titles) {
    titles.append(element('th', '', title));
  }
  titles.append(element('th'));
  const head = element('thead');
  head.append(titles);
  const body = element('tbody');
  table.append(head, body);
  const add = element('button', 'add-item', words.add);
  add.setAttribute('type', 'button');
  add.addEventListener('click', async () => focusOn(await forward.add()));

  /** @param {GearGridFocus} focus where the core puts it once the rows changed */
  function focusOn(focus) {
    const row = body.children[focus.row];
    const target = focus.place === 'slot' ? row.querySelector('input')
      : focus.place === 'remove' ? row.querySelector('.remove-item') : add;
    /** @type {HTMLElement} */ (target).focus();
  }

  /** @param {number} row */
  function madeRow(row) {
    const line = element('tr');
    words.titles.forEach((title, column) => {
      const cell = element('td');
      // On a phone each item is a card: its fields carry their titles, and
      // a tap on a title reaches its box.
      const field = element('label', 'cell');
      const shownTitle = element('span', 'cell-title', title);
      shownTitle.setAttribute('aria-hidden', 'true');
      field.append(shownTitle);
      cell.append(field);
      const box = /** @type {HTMLInputElement} */ (element('input'));
      if (column === words.wornColumn) {
        box.type = 'checkbox';
        box.addEventListener('change', () => forward.worn(row));
      } else {
        box.type = 'text';
        box.spellcheck = false;
        box.setAttribute('autocomplete', 'off');
        if (column > words.wornColumn) {
          box.inputMode = 'decimal';
        }
        box.addEventListener('input', () => forward.cell(row, column, box.value));
      }
      field.append(box);
      line.append(cell);
    });
    const remove = element('button', 'remove-item', words.remove);
    remove.setAttribute('type', 'button');
    remove.addEventListener('click', async () => focusOn(await forward.remove(row)));
    const removeCell = element('td');
    removeCell.append(remove);
    line.append(removeCell);
    return line;
  }

  /** @param {GearGridRow[]} rows */
  function draw(rows) {
    while (body.children.length > rows.length) {
      body.lastElementChild?.remove();
    }
    while (body.children.length < rows.length) {
      body.append(madeRow(body.children.length));
    }
    rows.forEach((shown, row) => {
      const boxes = body.children[row].querySelectorAll('input');
      boxes.forEach((box, column) => {
        if (box.getAttribute('aria-label') !== shown.names[column]) {
          box.setAttribute('aria-label', shown.names[column]);
        }
        if (box.type === 'checkbox') {
          box.checked = shown.worn;
        } else if (box !== document.activeElement && box.value !== shown.cells[column]) {
          box.value = shown.cells[column]; // the box being typed in is ahead of its answer
        }
      });
      const remove = body.children[row].querySelector('.remove-item');
      if (remove !== null && remove.getAttribute('aria-label') !== shown.removeName) {
        remove.setAttribute('aria-label', shown.removeName);
      }
    });
  }

  return { table, add, draw };
}
