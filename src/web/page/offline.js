// The offline copy is made once the window has been drawn, so that it never
// delays the first paint. Every load asks whether a new release is out
// (browsers check on their own, but not always), so a returning visitor has
// it from the next load.
export function keepOfflineCopy() {
  if ('serviceWorker' in navigator) {
    requestAnimationFrame(() => setTimeout(() => navigator.serviceWorker.register('sw.js')
      .then((registration) => registration.update()).catch(() => {}), 0));
  }
}
