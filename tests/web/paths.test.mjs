// Broad checks of the page: the keyboard's path through every control in
// both layouts, the help grid cell by cell, and the golden
// scenarios offline, with and without a query string.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import { goldenScenarios, openWindow, runGolden, servedInChromium } from './site.mjs';

const served = servedInChromium();

describe('the keyboard', () => {
  // The window's chain as designed: the panel, the disciplines (a group of
  // options is one stop, the browser's rule), the grid set by set with 总收益
  // after set 1, the buffs, 计算 and 说明's buttons.
  const sets = (first, last) => Array.from({ length: last - first + 1 }, (_, i) => `Text${first + i}`);
  const windowChain = ['Text1', 'Text3', 'Text4', 'Text5', 'Text6', 'Text7', 'Text8', 'Option1', 'Text2',
    ...sets(9, 14), 'Command2', ...sets(15, 35), 'Check1', 'Check2', 'Check3', 'Command6', 'Command7', 'Command1', 'Command3',
    'Command4', 'Command5'];
  const walk = async (page, key, from, count) => {
    await page.focus(`#${from}`);
    const seen = [await page.evaluate(() => document.activeElement.id)];
    for (let i = 0; i < count; ++i) {
      await page.keyboard.press(key);
      seen.push(await page.evaluate(() => document.activeElement.id));
    }
    return seen;
  };

  // From the first control to the last and back; one press past either end
  // leaves the page or wraps round: no other stop hides there.
  test('walks the window\'s chain from first to last and back', async () => {
    const context = await served.browser.newContext();
    const page = await openWindow(context, served.site.url);
    const forward = await walk(page, 'Tab', windowChain[0], windowChain.length);
    assert.deepEqual(forward.slice(0, -1), windowChain);
    assert.ok(['', windowChain[0]].includes(forward.at(-1)), forward.at(-1));
    const back = await walk(page, 'Shift+Tab', windowChain.at(-1), windowChain.length);
    assert.deepEqual(back.slice(0, -1), [...windowChain].reverse());
    assert.ok(['', windowChain.at(-1)].includes(back.at(-1)), back.at(-1));
    await context.close();
  });

  // In one column every stop is reached, each below the last (or beside it,
  // to its right), frame by frame down the page.
  test('in one column walks the page from top to bottom', async () => {
    const context = await served.browser.newContext({ viewport: { width: 390, height: 844 } });
    const page = await openWindow(context, served.site.url);
    const first = await page.evaluate(() => [...document.querySelectorAll('#window input, #window button')]
      .filter((e) => e.offsetParent !== null).sort((a, b) => a.getBoundingClientRect().top -
        b.getBoundingClientRect().top)[0].id);
    const seen = (await walk(page, 'Tab', first, windowChain.length)).slice(0, -1);
    assert.deepEqual([...seen].sort(), [...windowChain].sort());
    const places = await page.evaluate((ids) => ids.map((id) => {
      const { top, left } = document.getElementById(id).getBoundingClientRect();
      return { id, top: top + scrollY, left };
    }), seen);
    places.slice(1).forEach((place, i) => {
      const before = places[i];
      assert.ok(place.top > before.top + 1 || (Math.abs(place.top - before.top) <= 1 && place.left > before.left),
        `${before.id} (${before.top}, ${before.left}) then ${place.id} (${place.top}, ${place.left})`);
    });
    await context.close();
  });
});

describe('the help grid', () => {
  // Every glyph of every section in its cell: a character below U+0080 is
  // one 6-px column, any other two, lines 12 px apart; space draws nothing.
  // The window's text interface is checked against the same rule.
  test('prints every section cell by cell, the text after the buttons', async () => {
    const context = await served.browser.newContext();
    const page = await openWindow(context, served.site.url);
    const [help] = await Promise.all([context.waitForEvent('page'), page.click('#Command4')]);
    await help.waitForSelector('body[data-ready="true"]');
    const captions = ['使用说明', '基础理论', '计算公式', '一些结论', '关于加速', '更新日志'];
    const tabbed = [await help.evaluate(() => document.activeElement.textContent)];
    for (let i = 1; i < captions.length; ++i) {
      await help.keyboard.press('Tab');
      tabbed.push(await help.evaluate(() => document.activeElement.textContent));
    }
    assert.deepEqual(tabbed, ['使用说明', '计算公式', '基础理论', '一些结论', '关于加速', '更新日志']);
    await help.evaluate(() => {
      const focus = window.focus.bind(window);
      window.focusAsked = 0;
      window.focus = () => { window.focusAsked += 1; focus(); };
    });
    await page.click('#Command4'); // the open help comes to the front
    assert.equal(await help.evaluate(() => window.focusAsked), 1);
    for (const [section, caption] of captions.entries()) {
      await help.click(`#Command${section + 1}`);
      const printed = await help.evaluate(() => ({
        status: document.querySelector('#help > [role=status]').textContent,
        order: [...document.getElementById('help').children].map((e) => e.tagName),
        lines: [...document.querySelectorAll('.article-line')].map((line) => {
          // Where each is drawn, from the article's and its line's corner.
          const at = line.getBoundingClientRect();
          const px = (value) => `${Math.round(value)}px`;
          return {
            top: px(at.top - document.querySelector('.article').getBoundingClientRect().top),
            text: line.getAttribute('aria-label'),
            cells: [...line.querySelectorAll('.glyph')].map((g) => [g.textContent,
              px(g.getBoundingClientRect().left - at.left), px(g.getBoundingClientRect().width)]),
          };
        }),
      }));
      assert.equal(printed.status, caption);
      assert.deepEqual(printed.order.slice(0, 6), Array(6).fill('BUTTON'), caption);
      assert.ok(printed.lines.length > 15, caption);
      printed.lines.forEach((line, row) => {
        assert.equal(line.top, `${row * 12}px`, `${caption} ${row}`);
        const expected = [];
        let column = 0;
        for (const glyph of line.text) {
          const span = glyph.codePointAt(0) < 0x80 ? 1 : 2;
          if (glyph !== ' ') {
            expected.push([glyph, `${column * 6}px`, `${span * 6}px`]);
          }
          column += span;
        }
        assert.deepEqual(line.cells, expected, `${caption} line ${row}`);
      });
    }
    await context.close();
  });
});

describe('offline', () => {
  for (const query of ['', '?from=home-screen']) {
    test(`after one visit, the golden scenarios and the help work with the network off${query ? ', with a query string' : ''}`,
      async () => {
        const context = await served.browser.newContext();
        const page = await openWindow(context, served.site.url);
        await page.evaluate(() => navigator.serviceWorker.ready);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
        await context.setOffline(true);
        for (const scenario of goldenScenarios) {
          const offline = await openWindow(context, `${served.site.url}${query}`);
          await runGolden(offline, scenario, { set: (name, value) => offline.fill(`#${name}`, value),
            press: (name) => offline.click(`#${name}`) });
          await offline.close();
        }
        const help = await openWindow(context, `${served.site.url}help.html${query}`);
        await help.click('#Command6');
        assert.equal(await help.locator('.article-line').count(), 18);
        await context.close();
      });
  }
});
