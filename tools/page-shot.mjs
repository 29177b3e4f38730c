// Renders the web page to PNG in headless Chromium: the start state, the
// worked example, a warning box, a total too long for its label and the help
// window with 基础理论.
//   node tools/page-shot.mjs [SITE_DIR] [OUT_DIR]
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
} finally {
  await browser.close();
  site.stop();
}
