// The page's entry. The window itself is a set of modules (main-window.js);
// when they cannot run (blocked, broken, or the page opened as a file), the
// page says why instead of staying blank.
'use strict';

(async () => {
  const cannotRun = document.getElementById('cannot-run');
  cannotRun.hidden = true;
  try {
    const { openMainWindow } = await import('./main-window.js');
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
