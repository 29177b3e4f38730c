// Renders the web page to PNG in headless Chromium: the start state, the
// worked example, a warning box, a total too long for its label, the help
// window with 基础理论, 实际提升与收益曲线 near the hit cap and 最佳组合 on a
// list of candidates; and the same on a phone, 实际提升与收益曲线 also turned
// sideways.
//   node tools/page-shot.mjs [SITE_DIR] [OUT_DIR]
import { readFileSync } from 'node:fs';

import { answerBoxes, launch, openWindow, startSite } from '../tests/web/site.mjs';

const out = process.argv[3] ?? 'docs';
process.env.VELMORA_SITE ??= process.argv[2];
const site = await startSite();
const browser = await launch();
try {
  const context = await browser.newContext({ viewport: { width: 602, height: 562 } });
  const page = await openWindow(context, site.url);
  await page.screenshot({ path: `${out}/web-start.png` });

  await page.click('#Command1');
  await page.waitForSelector('#warning[open]');
  await page.screenshot({ path: `${out}/web-warning-box.png` });
  await answerBoxes(page);

  await page.click('#Option2');
  for (const [name, value] of [['Text3', '15000'], ['Text4', '105'], ['Text5', '25'], ['Text6', '180'],
    ['Text7', '3000'], ['Text8', '30']]) {
    await page.fill(`#${name}`, value);
  }
  await page.click('#Command1');
  await page.screenshot({ path: `${out}/web-worked-example.png` });

  await page.fill('#Text1', '3000');
  await page.click('#Command1');
  await page.fill('#Text16', '1e307');
  await page.fill('#Text23', '2');
  await page.click('#Command2');
  await page.screenshot({ path: `${out}/web-long-total.png` });

  const [help] = await Promise.all([context.waitForEvent('page'), page.click('#Command4')]);
  await help.waitForSelector('body[data-ready="true"]');
  await help.setViewportSize({ width: 819, height: 585 });
  await help.click('#Command2');
  await help.screenshot({ path: `${out}/web-help-basic-theory.png` });
  const insight = await nearTheHitCap(context, (on, selector) => on.click(selector));
  await insight.setViewportSize({ width: 620, height: 1400 });
  await insight.screenshot({ path: `${out}/web-insight.png`, fullPage: true });
  await insight.setViewportSize({ width: 920, height: 1400 }); // the grid of candidates whole
  await bestGear(insight, (on, selector) => on.click(selector));
  await insight.screenshot({ path: `${out}/web-best-gear.png`, fullPage: true, clip: await panelClip(insight) });

  // A phone (390 x 844, touch): the start, the worked example, a warning box,
  // the gear-test grid after 总收益, and the help.
  const phone = await browser.newContext({ viewport: { width: 390, height: 844 }, deviceScaleFactor: 2,
    isMobile: true, hasTouch: true });
  const mobile = await openWindow(phone, site.url);
  await mobile.screenshot({ path: `${out}/phone-start.png` });
  await mobile.tap('#Command1');
  await mobile.waitForSelector('#warning[open]');
  await mobile.screenshot({ path: `${out}/phone-warning-box.png` });
  await answerBoxes(mobile);
  await mobile.tap('#Option2');
  for (const [name, value] of [['Text1', '3000'], ['Text3', '15000'], ['Text4', '105'], ['Text5', '25'],
    ['Text6', '180'], ['Text7', '3000'], ['Text8', '30']]) {
    await mobile.fill(`#${name}`, value);
  }
  await mobile.tap('#Command1');
  await mobile.locator('#Frame1-caption').scrollIntoViewIfNeeded();
  await mobile.evaluate(() => document.getElementById('Frame6').scrollIntoView());
  await mobile.screenshot({ path: `${out}/phone-worked-example.png` });
  for (const [name, value] of [['Text16', '120'], ['Text17', '300'], ['Text23', '95'], ['Text26', '400'],
    ['Text30', '150'], ['Text35', '250']]) {
    await mobile.fill(`#${name}`, value);
  }
  await mobile.tap('#Command2');
  await mobile.evaluate(() => document.getElementById('Frame2').scrollIntoView());
  await mobile.screenshot({ path: `${out}/phone-gear-grid.png` });
  // At 320 px the cells go under their rows' names, so that five digits fit.
  await mobile.setViewportSize({ width: 320, height: 844 });
  await mobile.fill('#Text17', '15200');
  await mobile.evaluate(() => new Promise((done) => requestAnimationFrame(() => requestAnimationFrame(done))));
  await mobile.evaluate(() => document.getElementById('Frame2').scrollIntoView());
  await mobile.screenshot({ path: `${out}/phone-320-gear-grid.png` });
  await mobile.setViewportSize({ width: 390, height: 844 });
  const [phoneHelp] = await Promise.all([phone.waitForEvent('page'), mobile.tap('#Command4')]);
  await phoneHelp.waitForSelector('body[data-ready="true"]');
  await phoneHelp.setViewportSize({ width: 390, height: 844 });
  await phoneHelp.tap('#Command2');
  await phoneHelp.screenshot({ path: `${out}/phone-help.png` });
  const phoneInsight = await nearTheHitCap(phone, (on, selector) => on.tap(selector));
  await phoneInsight.screenshot({ path: `${out}/phone-insight.png`, fullPage: true, clip: await phoneInsight.evaluate(() => {
    const box = document.getElementById('insight').getBoundingClientRect();
    return { x: 0, y: box.top + scrollY, width: innerWidth, height: box.height + 16 };
  }) });
  // Turned sideways (844 x 390): the chart leaves its legend and headroom in view.
  await phoneInsight.setViewportSize({ width: 844, height: 390 });
  await phoneInsight.evaluate(() => document.querySelector('#insight .chart').scrollIntoView());
  await phoneInsight.screenshot({ path: `${out}/phone-landscape-insight.png` });
  await phoneInsight.setViewportSize({ width: 390, height: 844 });
  await bestGear(phoneInsight, (on, selector) => on.tap(selector));
  // The panel is long on a phone: its first two items as cards, and the answer.
  await phoneInsight.screenshot({ path: `${out}/phone-best-gear-grid.png`, fullPage: true,
    clip: await panelClip(phoneInsight, '#best-gear-caption', '#best-gear tbody tr:nth-child(2)') });
  await phoneInsight.screenshot({ path: `${out}/phone-best-gear.png`, fullPage: true,
    clip: await panelClip(phoneInsight, '#best-gear-text-rules', '#best-gear') });
} finally {
  await browser.close();
  site.stop();
}

// 最佳组合 on the candidate list of the desktop's picture, searched to the end.
async function bestGear(page, press) {
  await press(page, '#Command7');
  await page.waitForSelector('#best-gear-list');
  await page.fill('#best-gear-list', readFileSync(new URL('../docs/scenarios/candidates.tsv', import.meta.url), 'utf8'));
  await press(page, '#best-gear button:text-is("读入列表")');
  await press(page, '#best-gear button:text-is("开始比较")');
  await page.waitForFunction(() => document.querySelector('#best-gear [role="status"]').textContent !== '');
  await page.evaluate(() => document.activeElement instanceof HTMLElement && document.activeElement.blur());
}

// From the top of one element of the panel to the bottom of another.
async function panelClip(page, from = '#best-gear', to = from) {
  return page.evaluate(([top, bottom]) => {
    const first = document.querySelector(top).getBoundingClientRect();
    const last = document.querySelector(bottom).getBoundingClientRect();
    return { x: 0, y: first.top + scrollY - 8, width: innerWidth, height: last.bottom - first.top + 16 };
  }, [from, to]);
}

// The sheet near the hit cap (135 hit rating against 100 critical rating),
// played from the same script as the desktop's picture, on a new visit.
async function nearTheHitCap(context, press) {
  const page = await openWindow(context, site.url);
  const script = readFileSync(new URL('../docs/scenarios/near-hit-cap.script', import.meta.url), 'utf8');
  for (const line of script.split('\n')) {
    const [, name, value] = line.match(/^set (\w+) "(.*)"$/) ?? [];
    const [, pressed] = line.match(/^click (\w+)$/) ?? [];
    if (name) {
      await page.fill(`#${name}`, value);
    } else if (pressed) {
      await press(page, `#${pressed}`);
    }
  }
  await press(page, '#Command6');
  return page;
}
