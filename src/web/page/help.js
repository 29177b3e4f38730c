// The help window in the browser: six buttons that each clear the client
// area and print a section of the core's help article on its column grid.
'use strict';

(async () => {
  const cannotRun = document.getElementById('cannot-run');
  cannotRun.hidden = true;
  try {
    await openHelpWindow();
  } catch (error) {
    cannotRun.classList.remove('late');
    cannotRun.textContent = '说明文档未能载入。请检查网络连接后刷新本页；若仍无法使用，' +
      '请换用最新版的 Chrome、Edge、Firefox 或 Safari 打开。';
    cannotRun.hidden = false;
    console.error(error);
  }
})();

async function openHelpWindow() {
  // The core gives the window's places in pixels.
  const core = await createVelmora();
  const window_ = core.helpWindow();
  const sections = core.helpSections();
  const root = document.getElementById('help');
  document.title = window_.caption;
  root.style.width = `${window_.width}px`;
  root.style.height = `${window_.height}px`;
  root.style.setProperty('--cell-width', `${window_.columnWidth}px`);
  root.style.setProperty('--line-height', `${window_.lineHeight}px`);

  const article = document.createElement('div');
  article.className = 'article';
  article.setAttribute('role', 'document');
  article.setAttribute('aria-label', window_.caption);
  // A press is announced by the section's name; its text follows the
  // buttons in reading order.
  const printedSection = document.createElement('p');
  printedSection.className = 'assistive-only';
  printedSection.setAttribute('role', 'status');

  // Each line is read whole; its glyphs sit in their grid cells. Lines set
  // in columns are kept together as a table, which keeps its columns on any
  // screen (scrolled inside itself when it must) and on one printed page.
  function print(section) {
    article.replaceChildren();
    let table = null;
    section.lines.forEach((line, row) => {
      const printed = printLine(line, row);
      if (!line.tabular) {
        table = null;
        article.append(printed);
        return;
      }
      if (table === null) {
        table = document.createElement('div');
        table.className = 'article-table';
        table.style.setProperty('--columns', '0');
        article.append(table);
      }
      const columns = Math.max(0, ...line.glyphs.map((glyph) => glyph.column + glyph.span));
      table.style.setProperty('--columns', Math.max(Number(table.style.getPropertyValue('--columns')), columns));
      table.append(printed);
    });
  }

  function printLine(line, row) {
    const printed = document.createElement('div');
    printed.className = 'article-line';
    printed.style.setProperty('--row', row);
    printed.setAttribute('aria-label', line.text);
    printed.setAttribute('role', 'paragraph');
    const words = document.createElement('span'); // shown instead of the grid on narrow screens
    words.className = 'line-text';
    words.setAttribute('aria-hidden', 'true');
    words.textContent = line.text;
    printed.append(words);
    for (const glyph of line.glyphs) {
      if (glyph.text === ' ') {
        continue;
      }
      const cell = document.createElement('span');
      cell.className = 'glyph';
      cell.setAttribute('aria-hidden', 'true');
      cell.textContent = glyph.text;
      cell.style.setProperty('--column', glyph.column);
      cell.style.setProperty('--span', glyph.span);
      printed.append(cell);
    }
    return printed;
  }

  const buttons = sections.map((section) => {
    const button = document.createElement('button');
    button.type = 'button';
    button.id = section.name;
    button.textContent = section.button;
    button.tabIndex = section.tabOrder;
    button.style.left = `${section.buttonLeft}px`;
    button.style.top = `${window_.buttonTop}px`;
    button.style.width = `${window_.buttonWidth}px`;
    button.style.height = `${window_.buttonHeight}px`;
    button.addEventListener('click', () => {
      print(section);
      printedSection.textContent = section.announcement;
    });
    root.append(button);
    return button;
  });
  root.append(printedSection, article);
  buttons[window_.firstFocus].focus();
  document.body.dataset.ready = 'true';
}
