"""A private desktop with the Orca screen reader, for listening to Velmora.

One session owns an Xvfb display, a window manager, a private session bus,
the accessibility bus and Orca, all under a temporary HOME; Orca writes each
string it speaks to a file, which the checks wait on. Keys are real X key
events (xdotool without --window, which toolkits take as synthetic).
Everything started is stopped by its own process id.
"""
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

CUSTOMIZATIONS = """\
import logging
_heard = logging.FileHandler({log!r}, encoding='utf-8')
_heard.setFormatter(logging.Formatter('%(message)s'))
_speech = logging.getLogger('speech')
_speech.addHandler(_heard)
_speech.setLevel(logging.INFO)
"""

SPEECHD = """\
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
LogLevel 0
"""

# One record per utterance; an utterance may span lines (a printed line
# with its line feed), and a key's echo carries its voice after the quote.
RECORD = re.compile(r"^SPEECH OUTPUT: '", re.MULTILINE)
VOICE = re.compile(r"' \{'established'.*\}\s*$|'\s*$", re.DOTALL)


def _free_display():
    for number in range(90, 190):
        if not Path(f'/tmp/.X11-unix/X{number}').exists() and not Path(f'/tmp/.X{number}-lock').exists():
            return f':{number}'
    raise RuntimeError('no free X display')


class OrcaSession:
    def __init__(self):
        self.home = Path(tempfile.mkdtemp(prefix='velmora-orca-'))
        self.log = self.home / 'speech.log'
        self.debug_log = self.home / 'orca-debug.txt'
        self.processes = []
        self.env = None
        self.heard_until = 0

    # -- starting and stopping ------------------------------------------------

    def __enter__(self):
        # A test runner's timeout ends the check with SIGTERM: stop what was
        # started (each in its own session, so nothing else would).
        signal.signal(signal.SIGTERM, lambda *_: sys.exit('stopped by SIGTERM'))
        try:
            self._start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, *exc):
        self.stop()

    def _start(self):
        # Orca runs once per user: it would stay silent beside another one.
        others = subprocess.run(['pgrep', '-u', str(os.getuid()), '-x', 'orca'], capture_output=True, text=True)
        if others.stdout.strip():
            raise RuntimeError(f'another Orca runs for this user (pid {others.stdout.split()}); stop it first')
        home = self.home
        runtime = home / 'runtime'
        runtime.mkdir(mode=0o700)
        (home / '.asoundrc').write_text('pcm.!default { type null }\nctl.!default { type hw card 0 }\n')
        speechd = home / '.config' / 'speech-dispatcher'
        speechd.mkdir(parents=True)
        (speechd / 'speechd.conf').write_text(SPEECHD)
        orca = home / '.local' / 'share' / 'orca'
        orca.mkdir(parents=True)
        (orca / 'orca-customizations.py').write_text(CUSTOMIZATIONS.format(log=str(self.log)))
        self.log.touch()

        display = _free_display()
        env = {key: value for key, value in os.environ.items() if not key.startswith(('DBUS_', 'AT_SPI', 'QT_'))}
        env.update(HOME=str(home), XDG_RUNTIME_DIR=str(runtime), XDG_CONFIG_HOME=str(home / '.config'),
                   XDG_DATA_HOME=str(home / '.local' / 'share'), XDG_CACHE_HOME=str(home / '.cache'),
                   DISPLAY=display, LANG='C.UTF-8', LC_ALL='C.UTF-8', NO_AT_BRIDGE='0',
                   GTK_MODULES='gail:atk-bridge', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                   QT_ACCESSIBILITY='1')
        self.env = env
        self._spawn(['Xvfb', display, '-screen', '0', '1280x1024x24', '-nolisten', 'tcp'])
        self._wait(lambda: Path(f'/tmp/.X11-unix/X{display[1:]}').exists(), 20, 'Xvfb')
        self._spawn(['openbox', '--sm-disable'])
        bus = subprocess.run(['dbus-daemon', '--session', '--fork', '--print-address=1', '--print-pid=1'],
                             env=env, capture_output=True, text=True, check=True).stdout.split()
        env['DBUS_SESSION_BUS_ADDRESS'] = bus[0]
        self.processes.append(int(bus[1]))
        self._spawn(['/usr/libexec/at-spi-bus-launcher', '--launch-immediately'])
        self._wait(self._accessibility_bus_up, 20, 'the accessibility bus')
        self._spawn(['orca', '--debug-file', str(self.debug_log)])
        self.wait_for_speech(r'Screen reader on', timeout=60)

    def _accessibility_bus_up(self):
        answer = subprocess.run(['dbus-send', '--session', '--print-reply', '--dest=org.a11y.Bus', '/org/a11y/bus',
                                 'org.a11y.Bus.GetAddress'], env=self.env, capture_output=True, text=True)
        return answer.returncode == 0

    def _spawn(self, argv, **kwargs):
        process = subprocess.Popen(argv, env=kwargs.pop('env', self.env), stdout=subprocess.DEVNULL,
                                   stderr=kwargs.pop('stderr', subprocess.DEVNULL), start_new_session=True,
                                   **kwargs)
        self.processes.append(process)
        return process

    def launch(self, argv, env=None):
        """Starts a program on the session's display; it is stopped with the session."""
        merged = dict(self.env)
        merged.update(env or {})
        return self._spawn(argv, env=merged, stderr=open(self.home / 'program.err', 'ab'))

    def stop(self):
        for process in reversed(self.processes):
            pid = process if isinstance(process, int) else process.pid
            try:
                os.killpg(pid, signal.SIGTERM) if not isinstance(process, int) else os.kill(pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        deadline = time.monotonic() + 5
        for process in self.processes:
            if isinstance(process, int):
                continue
            try:
                process.wait(max(0.1, deadline - time.monotonic()))
            except subprocess.TimeoutExpired:
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
                process.wait()
        # A child that outlived its group's leader (Orca's own helpers) goes
        # too; the next session must find no Orca of this user.
        for process in self.processes:
            if not isinstance(process, int):
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and subprocess.run(
                ['pgrep', '-u', str(os.getuid()), '-x', 'orca'], capture_output=True).returncode == 0:
            time.sleep(0.1)
        self.processes = []
        if not os.environ.get('VELMORA_KEEP_ORCA_HOME'):
            shutil.rmtree(self.home, ignore_errors=True)

    # -- listening ------------------------------------------------------------

    def spoken(self):
        """Everything Orca has said so far, one string per utterance."""
        text = self.log.read_text(encoding='utf-8', errors='replace')
        return [VOICE.sub('', record).strip() for record in RECORD.split(text)[1:]]

    def mark(self):
        """Forget what was said so far: the next waits look only at new speech."""
        self.heard_until = len(self.spoken())

    def since_mark(self):
        return self.spoken()[self.heard_until:]

    # Orca answers one call at a time; a call into the browser that hangs
    # holds it up to the accessibility bus's 25 s timeout, after which it
    # goes on with what was queued. A wait outlasts that.
    def wait_for_speech(self, pattern, timeout=45):
        """Waits until Orca says something matching pattern after the mark; returns it."""
        found = re.compile(pattern)
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            for said in self.since_mark():
                if found.search(said):
                    return said
            time.sleep(0.05)
        raise AssertionError(f'Orca never said /{pattern}/; it said: {self.since_mark()!r}')

    def wait_for_quiet(self, seconds=0.6, timeout=10):
        """Waits until Orca has said nothing new for a while."""
        deadline = time.monotonic() + timeout
        count, since = len(self.spoken()), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.05)
            now = len(self.spoken())
            if now != count:
                count, since = now, time.monotonic()
            elif time.monotonic() - since >= seconds:
                return
        raise AssertionError('Orca never fell quiet')

    # Orca at times fails inside its own handler of a text selection change
    # on the page (one run in about five, before the grid of cells and after
    # it, every word heard as expected each time): told on stderr, not
    # counted. Any other event it cannot process fails the check.
    ORCA_OWN_FAILURES = ('ERROR: Could not process object:text-selection-changed',)

    def check_no_errors(self):
        """Fails if Orca could not handle an event it was sent."""
        failures = [line for line in self.debug_log.read_text(errors='replace').splitlines()
                    if 'ERROR: Could not process' in line]
        known = [line for line in failures if line.endswith(self.ORCA_OWN_FAILURES)]
        for line in known:
            print(f'warning: Orca\'s own failure, not counted: {line}', file=sys.stderr)
        failures = [line for line in failures if line not in known]
        if failures:
            raise AssertionError(f'Orca failed on events: {failures}')

    # -- acting ---------------------------------------------------------------

    def key(self, *keys):
        subprocess.run(['xdotool', 'key', '--delay', '60', *keys], env=self.env, check=True)

    def type(self, text):
        subprocess.run(['xdotool', 'type', '--delay', '40', text], env=self.env, check=True)

    def orca_command(self, key, pattern, attempts=3):
        """Orca's modifier (Insert) held while `key` is pressed, until Orca
        says pattern. The chord is pressed slowly: Orca takes Insert as its
        modifier only once it has seen it go down, and a quick chord was at
        times swallowed whole (nothing said, the mode unchanged). A chord
        Orca did not take is pressed again; one it took is never repeated."""
        for attempt in range(attempts):
            self.wait_for_quiet(0.4, timeout=30)
            self._wait_until_orca_takes_keys()
            self.mark()
            subprocess.run(['xdotool', 'keydown', 'Insert', 'sleep', '0.15', 'key', key, 'sleep', '0.15',
                            'keyup', 'Insert'], env=self.env, check=True)
            try:
                return self.wait_for_speech(pattern, timeout=8)
            except AssertionError:
                if self.since_mark() or attempt + 1 == attempts:
                    raise
        raise AssertionError('unreachable')

    def press_and_hear(self, keys, pattern, timeout=45):
        """Presses keys (a string or a list) and waits for Orca to say pattern.

        Orca is let fall quiet first: the accessibility registry hands a key
        to the application when Orca is too busy to answer for it in time,
        and an Orca command would then be typed instead. Before an Orca
        command, Orca must have echoed a Shift press (which does nothing in
        the window): it is taking keys again."""
        self.wait_for_quiet(0.4, timeout=30)
        if 'Insert' in str(keys):
            self._wait_until_orca_takes_keys()
        self.mark()
        self.key(*([keys] if isinstance(keys, str) else keys))
        return self.wait_for_speech(pattern, timeout)

    def _wait_until_orca_takes_keys(self, timeout=60):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            self.mark()
            self.key('Shift_L')
            try:
                self.wait_for_speech(r'^left shift', timeout=3)
                self.wait_for_quiet(0.4, timeout=30)
                return
            except AssertionError:
                continue
        raise AssertionError('Orca never took a key again')

    def _wait(self, ready, timeout, what):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if ready():
                return
            time.sleep(0.05)
        raise RuntimeError(f'{what} did not start')
