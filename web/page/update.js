// How a new version of the page arrives: its service worker waits while a page
// of the old one is open, and is in use from the next visit after they are all
// closed. A page where nothing has been typed or computed lets it in at once
// and reloads to show it; a page never reloads over what was typed.
'use strict';

function watchForUpdates() {
  if (!('serviceWorker' in navigator)) {
    return;
  }
  const hadController = Boolean(navigator.serviceWorker.controller);
  const letInWhilePristine = (registration) => {
    if (registration.waiting && pristine) {
      registration.waiting.postMessage('take over');
    }
  };
  navigator.serviceWorker.addEventListener('controllerchange', () => {
    // The first visit's worker taking control changes nothing that is shown.
    if (hadController && pristine) {
      window.location.reload();
    }
  });
  navigator.serviceWorker.register('sw.js').then((registration) => {
    letInWhilePristine(registration);
    registration.addEventListener('updatefound', () => {
      const installing = registration.installing;
      if (installing) {
        installing.addEventListener('statechange', () => {
          if (installing.state === 'installed') {
            letInWhilePristine(registration);
          }
        });
      }
    });
  }).catch(() => {});
}
