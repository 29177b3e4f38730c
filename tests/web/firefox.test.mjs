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
