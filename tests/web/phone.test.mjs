// The page on phones and tablets (Chromium's emulation, touch): one column
// from the same table, targets a finger can hit, nothing beyond the screen.
import assert from 'node:assert/strict';
import { describe, test } from 'node:test';
import {
  answerBoxes, goldenScenarios, openWindow, runGolden, servedInChromium, workedExample, workedResults,
} from './site.mjs';

const served = servedInChromium();

const screens = {
  phone: { viewport: { width: 390, height: 844 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  'small phone': { viewport: { width: 360, height: 640 }, deviceScaleFactor: 3, isMobile: true, hasTouch: true },
  tablet: { viewport: { width: 768, height: 1024 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true },
};

async function onScreen(screen) {
  const context = await served.browser.newContext(screens[screen]);
  return { context, page: await openWindow(context, served.site.url) };
}

// Every visible control: where it is and whether a finger targets it.
const placed = (page) => page.evaluate(() => [...document.querySelectorAll('#window [id]')]
  .map((element) => element.closest('.choice') ?? element)
  .filter((box) => box.offsetParent !== null)
  .map((box) => {
    const { left, right, width, height } = box.getBoundingClientRect();
    const target = box.matches('input, button, .choice');
    return { id: box.id || box.querySelector('input').id, left, right, width, height, target };
  }));

async function tapInto(page, name, value) {
  await page.tap(`#${name}`);
  await answerBoxes(page);
  await page.keyboard.type(value); // the tap selected the text: typing replaces it
  assert.equal(await page.inputValue(`#${name}`), value);
}

for (const screen of Object.keys(screens)) {
  describe(`on a ${screen}`, () => {
    test('every control lies inside the screen, targets at least 44 px, nothing scrolls sideways', async () => {
      const { context, page } = await onScreen(screen);
      const width = screens[screen].viewport.width;
      for (const state of ['start', 'haste mode']) {
        if (state === 'haste mode') {
          await page.tap('#Command3');
        }
        const controls = await placed(page);
        assert.ok(controls.length >= 50, `${controls.length} controls`);
        for (const c of controls) {
          assert.ok(c.left >= 0 && c.right <= width + 0.5, `${state}: ${c.id} at ${c.left}..${c.right}`);
          if (c.target) {
            assert.ok(c.width >= 44 && c.height >= 44, `${state}: ${c.id} is ${c.width} x ${c.height}`);
          }
        }
        assert.equal(await page.evaluate(() => document.documentElement.scrollWidth), width);
        const fonts = await page.evaluate(() => [...document.querySelectorAll('#window input[type="text"], #window button')]
          .map((e) => parseFloat(getComputedStyle(e).fontSize)));
        assert.ok(Math.min(...fonts) >= 16, 'text of 16 px keeps the browser from zooming on focus');
      }
      await context.close();
    });

    test('the worked example by taps gives the desktop digits; the guard and a box by tap', async () => {
      const { context, page } = await onScreen(screen);
      assert.equal(await page.getAttribute('#Text3', 'inputmode'), 'decimal');
      await page.tap('#Option2');
      for (const [name, value] of workedExample) {
        await tapInto(page, name, value);
      }
      // No hovering on a phone: the tool tips of the last box and button tapped.
      assert.equal(await page.textContent('#hint'), '此处填入无双，仅填数值，无需%');
      await page.tap('#Command1');
      assert.deepEqual(await answerBoxes(page), []);
      await page.tap('#Command5');
      assert.ok(await page.isVisible('#hint') && await page.textContent('#hint') === '请重新点一次总收益');
      await page.tap('#Command5');
      for (const [name, value] of Object.entries(workedResults)) {
        assert.equal(await page.evaluate((id) => {
          const e = document.getElementById(id);
          return e.title || e.textContent;
        }, name), value, name);
      }
      await tapInto(page, 'Text10', '90');
      await page.tap('#Command5');
      assert.equal(await page.inputValue('#Text4'), '103');
      await page.tap('#Text12');
      await page.waitForSelector('#warning[open]');
      const ok = await page.locator('#warning-ok').boundingBox();
      const viewport = screens[screen].viewport;
      assert.ok(ok.x >= 0 && ok.y >= 0 && ok.x + ok.width <= viewport.width && ok.y + ok.height <= viewport.height);
      // Turning the screen keeps the box, the inputs and the focus.
      await page.setViewportSize({ width: viewport.height, height: viewport.width });
      assert.equal(await page.evaluate(() => document.getElementById('warning').open), true);
      await page.setViewportSize(viewport);
      assert.deepEqual(await answerBoxes(page), [['记得有脱必有穿', '大侠先把衣服穿上，小心着凉（已帮您穿上）']]);
      assert.equal(await page.inputValue('#Text4'), '105');
      assert.equal(await page.evaluate(() => document.activeElement.id), 'Text12');
      await context.close();
    });
  });
}

describe('the golden scenarios by taps on a phone', () => {
  for (const scenario of goldenScenarios) {
    test(scenario, async () => {
      const { context, page } = await onScreen('small phone');
      await runGolden(page, scenario, { set: (name, value) => page.fill(`#${name}`, value),
        press: (name) => page.tap(`#${name}`) });
      await context.close();
    });
  }
});

// The narrow help is for any narrow window, touch or not.
const narrowHelp = { phone: screens.phone, 'narrow window with a mouse': { viewport: { width: 390, height: 844 } } };
describe('the help on a narrow screen', () => {
  for (const [screen, options] of Object.entries(narrowHelp)) {
    test(`${screen}: wraps its prose to the screen in 16-px text; its tables keep their columns, scrolled inside`, async () => {
      const context = await served.browser.newContext(options);
      const page = await openWindow(context, served.site.url);
      const press = (where, name) => (options.hasTouch ? where.tap(name) : where.click(name));
      const [help] = await Promise.all([context.waitForEvent('page'), press(page, '#Command4')]);
      await help.waitForSelector('body[data-ready="true"]');
      await help.setViewportSize({ width: 390, height: 844 });
      await press(help, '#Command2');
      const shown = await help.evaluate(() => {
        const visible = (e) => e.getClientRects().length > 0;
        const [remarks, table] = document.querySelectorAll('.article-table');
        // Where the last field of a row (after its last gap) starts on screen.
        const lastFieldAt = (line) => {
          const boxes = [...line.querySelectorAll('.glyph')].map((glyph) => glyph.getBoundingClientRect());
          const start = boxes.findLastIndex((box, i) => i > 0 && box.left - boxes[i - 1].right > 1);
          return Math.round(boxes[start].left - line.getBoundingClientRect().left);
        };
        const dataRows = [...table.querySelectorAll('.article-line')].slice(1);
        return {
          scroll: document.documentElement.scrollWidth,
          width: innerWidth,
          lines: [...document.querySelectorAll('.line-text')].filter(visible).length,
          font: parseFloat(getComputedStyle(document.querySelector('.line-text')).fontSize),
          buttons: [...document.querySelectorAll('button')].every((b) => b.getBoundingClientRect().height >= 44),
          rows: [remarks, table].map((block) => block.querySelectorAll('.article-line').length),
          scrolledInside: [remarks, table].every((block) => block.scrollWidth > block.clientWidth),
          scoreStarts: new Set(dataRows.map(lastFieldAt)).size,
          tallest: Math.max(...[...document.querySelectorAll('.article-table .glyph')].map((g) => g.getBoundingClientRect().height)),
        };
      });
      assert.deepEqual(shown, { scroll: 390, width: 390, lines: 32, font: 16, buttons: true, rows: [7, 8],
        scrolledInside: true, scoreStarts: 1, tallest: 24 }, screen);
      await context.close();
    });
  }
});
