// The main window in the browser: built at load from the core's table of
// controls, it forwards what the user does to the core and then shows what
// the core holds. It keeps no state of its own; the address fragment holds
// the player's inputs, written by the core.
'use strict';

(async () => {
  // The page says why when it cannot run (the module blocked, broken or
  // opened from a file), instead of staying blank.
  const cannotRun = document.getElementById('cannot-run');
  cannotRun.hidden = true;
  try {
    await openMainWindow();
  } catch (error) {
    document.getElementById('window').hidden = true;
    cannotRun.classList.remove('late');
    cannotRun.textContent = location.protocol === 'file:'
      ? '计算器不能从本地文件打开。请通过网址（https:// 或 http://）访问本页：把本文件夹放到网站上，' +
        '或在本文件夹中运行 python3 -m http.server，再打开 http://127.0.0.1:8000/。'
      : '计算器未能载入，本页暂时无法使用。请检查网络连接后刷新本页；若仍无法使用，' +
        '请换用最新版的 Chrome、Edge、Firefox 或 Safari 打开。';
    cannotRun.hidden = false;
    console.error(error);
  }
})();

async function openMainWindow() {
  const root = document.getElementById('window');
  const dialog = document.getElementById('warning');
  const dialogTitle = document.getElementById('warning-title');
  const dialogPrompt = document.getElementById('warning-prompt');
  const dialogOk = document.getElementById('warning-ok');
  const blocked = document.getElementById('popup-blocked');

  // A warning box: modal, the rest of the page inert, the press paused until
  // it is dismissed (确定, Enter, Space or Escape). The focus then goes back
  // where it was, with the same selection, so that typing replaces it as on
  // the desktop; that return is no entry.
  let boxClosing = false;
  let giveFocusBack = () => {};
  let boxDismissed = () => {};
  function showWarningBox(prompt, title) {
    const before = document.activeElement;
    const selection = before instanceof HTMLInputElement && before.type === 'text'
      ? [before.selectionStart, before.selectionEnd, before.selectionDirection] : null;
    giveFocusBack = () => {
      if (before instanceof HTMLElement) {
        // Chromium may give back the element but not the keyboard's
        // selection (Ctrl+A then takes the whole page): focus it anew.
        before.blur();
        before.focus();
      }
      if (selection !== null) {
        before.setSelectionRange(...selection);
      }
    };
    return new Promise((resolve) => {
      dialogTitle.textContent = title;
      dialogPrompt.textContent = prompt;
      boxDismissed = resolve;
      dialog.showModal();
      // The box itself takes the focus, so that a screen reader speaks its
      // title and prompt even when it still thinks the page is loading;
      // Tab reaches 确定.
      dialog.focus();
    });
  }
  // At once, before the next key: the focus is back when the box is gone.
  function closeBox() {
    boxClosing = true;
    dialog.close();
    giveFocusBack();
    giveFocusBack = () => {};
    boxClosing = false;
    boxDismissed(); // the press goes on before the next key arrives
  }
  dialogOk.addEventListener('click', closeBox);
  dialog.addEventListener('keydown', (event) => {
    if (event.target === dialog && (event.key === 'Enter' || event.key === ' ')) {
      event.preventDefault();
      closeBox();
    }
  });
  dialog.addEventListener('cancel', (event) => {
    event.preventDefault();
    closeBox();
  });

  const core = await createVelmora();
  const controls = core.controls();
  let calculator = new core.Calculator();
  const elements = [];     // the element that holds each control's text
  const boxes = [];        // the element placed and shown or hidden
  const index = new Map(controls.map((control, i) => [control.name, i]));

  // Building the window from the table. Frames come before what they hold.
  controls.forEach((control, i) => {
    const parent = control.container ? boxes[index.get(control.container)] : root;
    let box;
    let element;
    switch (control.kind) {
      case 'Window':
        box = element = root;
        root.style.width = `${control.width}px`;
        root.style.height = `${control.height}px`;
        break;
      case 'Frame': {
        box = document.createElement('div');
        box.className = 'frame';
        box.setAttribute('role', 'group');
        const border = document.createElement('div');
        border.className = 'frame-border';
        element = document.createElement('span');
        element.className = 'frame-caption';
        element.id = `${control.name}-caption`;
        box.setAttribute('aria-labelledby', element.id);
        box.append(border, element);
        break;
      }
      case 'Label':
        box = element = document.createElement('div');
        box.className = control.fits ? 'label fits' : 'label fixed';
        break;
      case 'TextBox':
        box = element = document.createElement('input');
        box.type = 'text';
        box.autocomplete = 'off';
        box.inputMode = 'decimal'; // phones offer digits and the point
        box.spellcheck = false;
        break;
      case 'CommandButton':
        box = element = document.createElement('button');
        box.type = 'button';
        break;
      case 'OptionButton':
      case 'CheckBox': {
        box = document.createElement('label');
        box.className = 'choice';
        const input = document.createElement('input');
        input.type = control.kind === 'OptionButton' ? 'radio' : 'checkbox';
        input.name = control.kind === 'OptionButton' ? control.container : control.name;
        element = document.createElement('span');
        box.append(input, element);
        break;
      }
    }
    const focusable = box.tagName === 'LABEL' ? box.firstChild : box;
    if (box !== root) {
      focusable.id = control.name;
      box.style.left = `${control.left}px`;
      box.style.top = `${control.top}px`;
      if (control.kind === 'OptionButton' || control.kind === 'CheckBox') {
        // The box keeps its place and grows to its indicator, as on the desktop.
        box.style.width = `${control.width}px`;
        box.style.minHeight = `${control.height}px`;
      } else if (!(control.kind === 'Label' && control.fits)) {
        box.style.width = `${control.width}px`;
        box.style.height = `${control.height}px`;
      } else {
        box.style.maxWidth = `${control.room}px`; // a fitting label takes its caption's size, within its frame
      }
      if (control.toolTip) {
        box.title = control.toolTip;
      }
      focusable.tabIndex = control.tabIndex > 0 ? control.tabIndex : -1;
      parent.append(box);
    }
    elements.push(element);
    boxes.push(box);
  });
  document.title = controls[0].text;
  placeForNarrowScreens();

  // A narrow or touch screen lays the window out in one column (style.css),
  // from the same table: the frames in reading order (top, then left), and
  // in each frame the controls on a grid of its rows (distinct tops) and
  // columns (distinct lefts; a heading joins the column below it, a note
  // spans them all).
  function placeForNarrowScreens() {
    const frames = controls.map((control, i) => i).filter((i) => controls[i].kind === 'Frame');
    [...frames].sort((a, b) => controls[a].top - controls[b].top || controls[a].left - controls[b].left)
      .forEach((frame, rank) => boxes[frame].style.setProperty('--reading-order', rank));
    for (const frame of frames) {
      const inside = controls.map((control, i) => i).filter((i) => controls[i].container === controls[frame].name);
      const overlaps = (a, b) => a.left < b.left + b.width && b.left < a.left + a.width;
      const below = (heading) => inside.find((i) => controls[i].kind !== 'Label' && controls[i].top > heading.top &&
        overlaps(controls[i], heading));
      const anchorOf = (i) => {
        const control = controls[i];
        const under = control.role === 'Heading' ? below(control) : undefined;
        return under === undefined ? control.left : controls[under].left;
      };
      const spans = (i) => controls[i].role === 'Note';
      const lefts = [...new Set(inside.filter((i) => !spans(i)).map(anchorOf))].sort((a, b) => a - b);
      const tops = [...new Set(inside.map((i) => controls[i].top))].sort((a, b) => a - b);
      boxes[frame].style.setProperty('--grid-columns', lefts.length);
      for (const i of inside) {
        const control = controls[i];
        const row = tops.indexOf(control.top);
        const rows = tops.filter((top) => top >= control.top && top < control.top + control.height).length;
        boxes[i].style.setProperty('--grid-row', `${row + 1} / span ${Math.max(rows, 1)}`);
        boxes[i].style.setProperty('--grid-column', spans(i) ? '1 / -1' : `${lefts.indexOf(anchorOf(i)) + 1}`);
      }
    }
  }

  // Names for assistive tools, as the core composes them: a text box by its
  // labels ("第二套 会心等级"), a result by its labels and its text. A label
  // names others by its whole caption, kept in a hidden twin, so that a
  // shortened number is read whole, as on the desktop.
  const wholeCaptions = document.createElement('div');
  wholeCaptions.hidden = true;
  document.body.append(wholeCaptions);
  const whole = [];
  controls.forEach((control, i) => {
    if (control.kind === 'Label') {
      whole[i] = document.createElement('span');
      whole[i].id = `${control.name}-whole`;
      wholeCaptions.append(whole[i]);
    }
  });
  const sourceId = (at) => (whole[at] ? whole[at].id : controls[at].name);
  controls.forEach((control, i) => {
    if (control.kind === 'TextBox' && control.nameSources.length > 0) {
      elements[i].setAttribute('aria-labelledby', control.nameSources.map(sourceId).join(' '));
    } else if (control.kind === 'Label' && control.labels.length > 0) {
      // No role: a screen reader reads the name once, as text ("无双
      // 4.43654"), where a note role would add "comment".
      elements[i].setAttribute('aria-labelledby', control.nameSources.map(sourceId).join(' '));
    }
  });

  // A caption that does not fit its label is shortened as the core says
  // (a number keeps its exponent), whole in the tool tip and the
  // description. A number never wraps.
  const measure = document.createElement('canvas').getContext('2d');
  // Captions are written first, then measured together (one layout for all),
  // then the ones that overflow are shortened.
  function showCaptions(changed) {
    for (const [i, text] of changed) {
      elements[i].classList.toggle('number', core.isNumberText(text));
      elements[i].textContent = text;
      whole[i].textContent = text;
    }
    const measured = changed.map(([i, text]) => {
      const label = elements[i];
      const single = controls[i].fits || label.classList.contains('number');
      // A fitting label may grow to its limit; on a narrow screen its grid
      // cell is the limit.
      const style = getComputedStyle(label);
      const room = parseFloat(style.maxWidth) || label.clientWidth;
      const overflows = single && room > 0 && label.scrollWidth > room + 0.5;
      return { i, text, room, font: overflows ? style.font : null };
    });
    for (const { i, text, room, font } of measured) {
      const label = elements[i];
      let shown = text;
      if (font !== null) {
        measure.font = font;
        shown = core.shorten(text, (candidate) => measure.measureText(candidate).width <= room);
        label.textContent = shown;
      }
      if (shown !== text) {
        label.title = text;
        label.setAttribute('aria-description', text);
      } else if (label.hasAttribute('title')) {
        label.removeAttribute('title');
        label.removeAttribute('aria-description');
      }
    }
  }

  // Showing what the core holds.
  const shownCaptions = [];
  // Turning a phone or resizing the window changes the layout, and with it
  // what fits: captions are shortened again.
  let relayout = 0;
  window.addEventListener('resize', () => {
    cancelAnimationFrame(relayout);
    relayout = requestAnimationFrame(() => {
      shownCaptions.length = 0;
      mirror();
    });
  });
  function mirror() {
    const fields = calculator.fields();
    const changedCaptions = [];
    fields.forEach((field, i) => {
      const control = controls[i];
      const element = elements[i];
      if (control.kind === 'Window') {
        return;
      }
      if (control.kind === 'TextBox') {
        if (element.value !== field.text) {
          // Characters the core dropped stood before the caret.
          const caret = element.selectionEnd - (element.value.length - field.text.length);
          element.value = field.text;
          if (element === document.activeElement) {
            const at = Math.max(0, Math.min(caret, field.text.length));
            element.setSelectionRange(at, at);
          }
        }
      } else if (control.kind === 'Label') {
        if (shownCaptions[i] !== field.text || !field.visible !== boxes[i].hidden) {
          boxes[i].hidden = !field.visible;
          changedCaptions.push([i, field.text]);
          shownCaptions[i] = field.text;
        }
      } else if (element.textContent !== field.text) {
        element.textContent = field.text;
      }
      if (control.kind === 'OptionButton' || control.kind === 'CheckBox') {
        boxes[i].firstChild.checked = field.value === 1;
      }
      boxes[i].hidden = !field.visible;
    });
    showCaptions(changedCaptions);
  }

  // The address holds the inputs. It is written when the player leaves a box
  // or presses a button or option, never as a new history entry.
  function share() {
    const shared = calculator.sharedInputs();
    const address = shared === 'v1' ? location.pathname + location.search : `#${shared}`;
    if (address !== location.pathname + location.search + location.hash) {
      history.replaceState(null, '', address);
    }
  }

  // An address opens with its inputs, as a new visit does; anything it
  // cannot read opens the start state.
  function openAddress() {
    const opened = new core.Calculator();
    if (location.hash.length > 1) {
      opened.restoreInputs(location.hash.slice(1));
    }
    calculator.delete();
    calculator = opened;
    mirror();
    share();
    const first = elements[index.get('Text1')];
    first.focus();
    first.select();
  }

  // One user action at a time, never inside a running press. A press's
  // boxes are shown in turn, and its results only after the last one; the
  // window then shows the core's state, so a refused change is undone.
  let running = false;
  let addressChanged = false;
  // After a press that wrote results, a screen reader hears what was
  // computed (the core's words), not every number.
  // Two regions take turns: the same words written again into one region
  // within a frame of its clearing reach the screen reader as no change.
  const announcements = [document.getElementById('announcement'), document.getElementById('announcement-next')];
  async function act(action, shares = true, announces = false) {
    if (running) {
      mirror();
      return;
    }
    running = true;
    try {
      for (const box of action()) {
        await showWarningBox(box.prompt, box.title);
      }
    } finally {
      running = false;
      mirror();
      const announce = announces ? calculator.announcement() : '';
      if (announce !== '') {
        const [now, last] = announcements[0].textContent === '' ? announcements : [...announcements].reverse();
        last.textContent = '';
        now.textContent = announce;
      }
      if (addressChanged) {
        addressChanged = false;
        openAddress();
      } else if (shares) {
        share();
      }
    }
  }

  // A link pasted into this tab, or back and forward: the new address opens
  // once the press that is running has ended.
  window.addEventListener('hashchange', () => {
    if (running) {
      addressChanged = true;
    } else {
      openAddress();
    }
  });

  // How the focus came to a control, as the core asks; the core decides
  // what is an entry. The focus coming back to where it was when the window
  // was left (activation) or when a box closed is told as such; anything
  // else, a script's or an assistive tool's focus() included, as it came.
  let lastInput = {kind: 'assistive', time: -Infinity};
  document.addEventListener('pointerdown', (event) => {
    lastInput = {kind: 'pointer', time: performance.now(), touch: event.pointerType === 'touch'};
  }, true);
  document.addEventListener('keydown', (event) => {
    lastInput = {kind: event.key === 'Tab' ? 'user' : 'assistive', time: performance.now()};
  }, true);
  let leftWithWindow = null;
  let tappedInto = null; // the box a tap has just entered // the element that kept the focus when the window was left
  document.addEventListener('blur', (event) => {
    leftWithWindow = document.activeElement === event.target ? event.target : null;
  }, true);
  function arrival(element) {
    if (boxClosing) {
      return 'box';
    }
    if (leftWithWindow === element) {
      return 'activated';
    }
    return performance.now() - lastInput.time < 1000 ? lastInput.kind : 'assistive';
  }
  document.addEventListener('focus', (event) => {
    if (event.target !== leftWithWindow) {
      leftWithWindow = null;
    }
  }, true);

  let helpWindow = null;
  function openHelp() {
    if (helpWindow !== null && !helpWindow.closed) {
      helpWindow.focus();
      return;
    }
    const help = core.helpWindow();
    helpWindow = window.open('help.html', 'velmora-help',
      `popup,width=${help.width},height=${help.height}`);
    blocked.hidden = helpWindow !== null;
    if (helpWindow === null) {
      blocked.textContent = '浏览器阻止了弹出窗口，说明文档无法打开。请允许本站弹出窗口，再点一次“详细说明”。';
    }
  }

  controls.forEach((control, i) => {
    const element = control.kind === 'OptionButton' || control.kind === 'CheckBox' ? boxes[i].firstChild
      : elements[i];
    switch (control.kind) {
      case 'TextBox':
        element.addEventListener('input', () => act(() => calculator.type(i, element.value), false));
        element.addEventListener('blur', () => {
          if (!running) {
            share();
          }
        });
        element.addEventListener('focus', () => {
          const how = arrival(element);
          leftWithWindow = null;
          tappedInto = how === 'pointer' && lastInput.touch ? element : null;
          if (!running) { // a box up keeps the focus until it closes
            act(() => calculator.focusArrived(i, how));
          }
        });
        // A tap into a box selects its text, as Tab does: typing replaces it.
        element.addEventListener('click', () => {
          if (tappedInto === element) {
            tappedInto = null;
            element.select();
          }
        });
        if (control.enterPresses >= 0) {
          element.addEventListener('keydown', (event) => {
            if (event.key === 'Enter' && !event.altKey && !event.ctrlKey && !event.metaKey && !event.shiftKey) {
              event.preventDefault();
              elements[control.enterPresses].click();
            }
          });
        }
        break;
      case 'CommandButton':
        element.addEventListener('click', () => {
          if (control.opensHelp) {
            openHelp();
          } else {
            act(() => calculator.click(i), true, true);
          }
        });
        break;
      case 'OptionButton':
        // Selected by mouse, Space or the arrow keys; a click on the option
        // already selected is still its Click.
        element.addEventListener('change', () => act(() => calculator.click(i)));
        element.addEventListener('click', () => {
          if (control.clickOnSelectedIsClick && calculator.fields()[i].value === 1) {
            act(() => calculator.click(i));
          }
        });
        break;
      case 'CheckBox':
        element.addEventListener('click', () => act(() => calculator.click(i)));
        break;
    }
  });

  openAddress();
  document.body.dataset.ready = 'true';
  performance.mark('velmora-ready');

  // The offline copy is made once the window has been drawn, so that it
  // never delays the first paint. Every load asks whether a new release is
  // out (browsers check on their own, but not always), so a returning
  // visitor has it from the next load.
  if ('serviceWorker' in navigator) {
    requestAnimationFrame(() => setTimeout(() => navigator.serviceWorker.register('sw.js')
      .then((registration) => registration.update()).catch(() => {}), 0));
  }
}
