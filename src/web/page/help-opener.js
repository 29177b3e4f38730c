// 详细说明 opens the help in a window of its own, sized as the core says, or
// brings it to the front; when the browser blocks the pop-up, the page says
// so.
const blocked = document.getElementById('popup-blocked');
let helpWindow = null; // the browser's handle to that window

export function openHelp(core) {
  if (helpWindow !== null && !helpWindow.closed) {
    helpWindow.focus();
    return;
  }
  const help = core.helpWindow();
  helpWindow = window.open('help.html', 'velmora-help', `popup,width=${help.width},height=${help.height}`);
  blocked.hidden = helpWindow !== null;
  if (helpWindow === null) {
    blocked.textContent = '浏览器阻止了弹出窗口，说明文档无法打开。请允许本站弹出窗口，再点一次“详细说明”。';
  }
}
