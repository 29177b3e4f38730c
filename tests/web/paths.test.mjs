// Broad checks of the page against the core and the article: the keyboard's
// path through every control, the help grid cell by cell, and the golden
// scenarios offline, with and without a query string.
import assert from 'node:assert/strict';
import { after, before, describe, test } from 'node:test';
import { goldenScenarios, launch, openWindow, runGolden, startSite } from './site.mjs';

let site;
let browser;

before(async () => {
  site = await startSite();
  browser = await launch();
});
after(async () => {
  await browser?.close();
  site?.stop();
});

describe('the keyboard', () => {
  // Tab from the first control to the last and Shift+Tab back follow the
  // core's chain; a group of options is one stop (the browser's rule).
  test('walks the tab chain from first to last and back', async () => {
    const context = await browser.newContext();
    const page = await openWindow(context, site.url);
    const chain = await page.evaluate(async () => {
      const all = (await createVelmora()).controls();
      const stops = all.filter((c) => c.tabIndex > 0 && document.getElementById(c.name).offsetParent !== null)
        .sort((a, b) => a.tabIndex - b.tabIndex);
      return stops.filter((c, i) => c.kind !== 'OptionButton' || stops[i - 1]?.kind !== 'OptionButton')
        .map((c) => c.name);
    });
    assert.ok(chain.length > 40);
    const walk = async (key, count) => {
      const seen = [await page.evaluate(() => document.activeElement.id)];
      for (let i = 0; i < count; ++i) {
        await page.keyboard.press(key);
        seen.push(await page.evaluate(() => document.activeElement.id));
      }
      return seen;
    };
    await page.focus(`#${chain[0]}`);
    // One press past either end leaves the page or wraps round: no other
    // stop hides there.
    const forward = await walk('Tab', chain.length);
    assert.deepEqual(forward.slice(0, -1), chain);
    assert.ok(['', chain[0]].includes(forward.at(-1)), forward.at(-1));
    await page.focus(`#${chain.at(-1)}`);
    const back = await walk('Shift+Tab', chain.length);
    assert.deepEqual(back.slice(0, -1), [...chain].reverse());
    assert.ok(['', chain.at(-1)].includes(back.at(-1)), back.at(-1));
    await context.close();
  });
});

describe('the help grid', () => {
  // Every glyph of every section in its cell: a character below U+0080 is
  // one 6-px column, any other two, lines 12 px apart; space draws nothing.
  // The window's text interface is checked against the same rule.
  test('prints every section cell by cell, the text after the buttons', async () => {
    const context = await browser.newContext();
    const page = await openWindow(context, site.url);
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
        const context = await browser.newContext();
        const page = await openWindow(context, site.url);
        await page.evaluate(() => navigator.serviceWorker.ready);
        await page.waitForFunction(() => navigator.serviceWorker.controller !== null);
        await context.setOffline(true);
        for (const scenario of goldenScenarios) {
          const offline = await openWindow(context, `${site.url}${query}`);
          await runGolden(offline, scenario, { set: (name, value) => offline.fill(`#${name}`, value),
            press: (name) => offline.click(`#${name}`) });
          await offline.close();
        }
        const help = await openWindow(context, `${site.url}help.html${query}`);
        await help.click('#Command6');
        assert.equal(await help.locator('.article-line').count(), 18);
        await context.close();
      });
  }
});
