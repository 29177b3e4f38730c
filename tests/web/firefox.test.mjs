// The page in Debian's Firefox ESR (driven over WebDriver BiDi): what it
// does differently from Chromium with the address and the keyboard.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';
import puppeteer from 'puppeteer-core';

import { startSite } from './site.mjs';

let site;
let browser;
before(async () => {
  site = await startSite();
  browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
});
after(async () => {
  await browser?.close();
  site?.stop();
});

test('a reload with the focus still in a box keeps what was just typed', async () => {
  const page = await browser.newPage();
  await page.goto(site.url);
  await page.waitForSelector('body[data-ready="true"]');
  const entries = await page.evaluate(() => history.length);
  await page.click('#Text3');
  await page.keyboard.down('Control');
  await page.keyboard.press('a');
  await page.keyboard.up('Control');
  await page.keyboard.type('1234');
  await page.reload();
  await page.waitForSelector('body[data-ready="true"]');
  assert.equal(await page.$eval('#Text3', (box) => box.value), '1234');
  assert.equal(await page.evaluate(() => history.length), entries); // no entry per keystroke
  await page.close();
});

// 最佳组合 in Firefox: its module in a worker, Tab typing a separator in the
// list, Escape then Tab leaving it. On the worked example's sheet hat B's 135
// hit rating is 3 % hit: R = 0.25 × 0.8 + 1.05 + 0.75 × 0.30 − 0.3625 = 1.1125
// becomes 1.1425, +2.70 %.
test('最佳组合 answers from its worker, the list typed by keyboard', async () => {
  const page = await browser.newPage();
  await page.goto(site.url);
  await page.waitForSelector('body[data-ready="true"]');
  await page.click('#Option2');
  for (const [name, value] of [['Text3', '15000'], ['Text4', '105'], ['Text5', '25'], ['Text6', '180'],
    ['Text7', '3000'], ['Text8', '30']]) {
    await page.click(`#${name}`);
    await page.keyboard.type(value);
  }
  await page.click('#Command1');
  await page.click('#Command7');
  await page.waitForFunction(() => document.activeElement?.id === 'best-gear-list');
  for (const line of [['hat', 'A', '1'], ['hat', 'B', '0', '0', '0', '135']]) {
    for (const [at, field] of line.entries()) {
      if (at > 0) {
        await page.keyboard.press('Tab');
      }
      await page.keyboard.type(field);
    }
    await page.keyboard.press('Enter');
  }
  assert.equal(await page.$eval('#best-gear-list', (list) => list.value), 'hat\tA\t1\nhat\tB\t0\t0\t0\t135\n');
  await page.keyboard.press('Escape');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.textContent), '读入列表');
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => document.querySelector('#best-gear .list-state').textContent.includes('2 件'));
  await page.evaluate(() => [...document.querySelectorAll('#best-gear button')].find((b) => b.textContent === '开始比较').click());
  await page.waitForFunction(() => document.querySelector('#best-gear [role="status"]').textContent !== '');
  const rows = await page.$$eval('#best-gear ol li', (items) => items.map((item) => item.textContent));
  assert.equal(rows.length, 2);
  assert.equal(rows[0], '第 1 名 +2.70 %：hat：A → B');
  await page.close();
});
