"""Kestrel in a real X server, driven from outside as a user drives it.

    x_server_check.py KESTREL KESTREL_CLI SPEC_FILE DEMO_TESSEL_DIR WORK_DIR

Starts Xvfb and a D-Bus session (which starts the accessibility bus when
asked), then the built kestrel with SPEC_FILE open, against the demo Tessel
installation and a scratch settings folder. Controls are found by their
accessible names over AT-SPI; clicks and keys are real X input events
(xdotool), the clipboard is read by another process (xclip), windows are
closed by the close request a window manager sends:

  1. Ctrl held, click Create: the clipboard holds, byte for byte, what
     kestrel-cli generate writes for the same file on the same day.
  2. Click Create: the procedure viewer shows the procedure; it is closed.
  3. Close the main window: the program ends with status 0 and has written
     Kestrel.INI into the settings folder.

Exit 0 passed, 1 failed (with a screenshot in WORK_DIR), 77 skipped: a tool
is missing (the message names its Debian package).

Runs under Debian's own python3, which has the AT-SPI and X bindings.
"""
import ctypes
import importlib.util
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import time
import zlib

SCREEN = (1280, 800)
# Generous for a loaded 2-core machine; a passing run takes a few seconds.
WAIT_SECONDS = 30

# What the check needs: a program on the PATH or a Python module, and the
# Debian package that brings it.
TOOLS = [("Xvfb", "xvfb"), ("xdotool", "xdotool"), ("xclip", "xclip"), ("dbus-daemon", "dbus-daemon")]
MODULES = [("pyatspi", "python3-pyatspi"), ("Xlib", "python3-xlib")]
AT_SPI_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
PR_SET_CHILD_SUBREAPER = 36


class CheckFailed(Exception):
    pass


def skip_unless_available():
    missing = [f"{tool} (Debian package {package})" for tool, package in TOOLS if not shutil.which(tool)]
    missing += [f"Python module {module} for {sys.executable} (Debian package {package})"
                for module, package in MODULES if importlib.util.find_spec(module) is None]
    if not os.path.exists(AT_SPI_LAUNCHER):
        missing.append("the accessibility bus (Debian package at-spi2-core)")
    if missing:
        print("skipped: missing " + ", ".join(missing))
        sys.exit(77)


def found(result):
    """Whether a probe's result is what was waited for: not None or False,
    and not an empty list, tuple, text or bytes. Only those are asked for
    their length: an AT-SPI control without children has length 0 and is
    found all the same."""
    if result is None or result is False:
        return False
    if isinstance(result, (list, tuple, str, bytes, dict, set)):
        return len(result) > 0
    return True


def wait_for(what, probe, seconds=WAIT_SECONDS, interval=0.1):
    """Calls probe until its result is found (see found) and returns that
    result. Under load the accessibility tree and the X server lag behind
    the program: a probe that raises (a control that went away while it was
    read) is tried again, and its last error is named if time runs out."""
    deadline = time.monotonic() + seconds
    last_error = None
    while True:
        try:
            result = probe()
            if found(result):
                return result
        except Exception as error:  # reported below if it lasts
            last_error = error
        if time.monotonic() > deadline:
            because = f" (last error: {last_error!r})" if last_error is not None else ""
            raise CheckFailed(f"timed out after {seconds} s waiting for {what}{because}")
        time.sleep(interval)


def read_line_from(pipe_fd, what):
    """One line from a child's pipe, or a failure after WAIT_SECONDS."""
    data = b""
    deadline = time.monotonic() + WAIT_SECONDS
    while not data.endswith(b"\n"):
        ready, _, _ = select.select([pipe_fd], [], [], max(0.0, deadline - time.monotonic()))
        chunk = os.read(pipe_fd, 256) if ready else b""
        if not chunk:
            raise CheckFailed(f"{what} did not start")
        data += chunk
    return data.decode().strip()


class Desktop:
    """Xvfb, a D-Bus session and the processes started in them; stop()
    ends each of them, the D-Bus session with everything it activated."""

    def __init__(self, work):
        self.processes = []
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            "HOME": os.path.join(work, "home"),
            "XDG_CONFIG_HOME": os.path.join(work, "home", ".config"),
            "XDG_RUNTIME_DIR": os.path.join(work, "runtime"),
        }
        os.makedirs(self.env["XDG_CONFIG_HOME"])
        os.makedirs(self.env["XDG_RUNTIME_DIR"], mode=0o700)

    def start(self):
        # What the D-Bus session starts outlives it for a moment: as this
        # process's orphans they are reaped here rather than left as zombies.
        ctypes.CDLL(None, use_errno=True).prctl(PR_SET_CHILD_SUBREAPER, 1)
        # -displayfd: Xvfb picks a free display itself and names it once it
        # accepts connections, so parallel runs cannot collide.
        read_fd, write_fd = os.pipe()
        xvfb = self._spawn(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
                            "-nolisten", "tcp", "-noreset"], pass_fds=(write_fd,))
        os.close(write_fd)
        try:
            self.env["DISPLAY"] = ":" + read_line_from(read_fd, "Xvfb")
        finally:
            os.close(read_fd)

        # Its own process group: the accessibility bus and registry that it
        # starts on demand are ended with it.
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE, start_new_session=True)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = read_line_from(bus.stdout.fileno(), "dbus-daemon")
        self.bus = bus
        self.xvfb = xvfb
        # The AT-SPI client of this process talks to this session.
        os.environ.update({k: self.env[k] for k in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS")})

    def _spawn(self, command, **options):
        process = subprocess.Popen(command, env=self.env, stderr=subprocess.DEVNULL, **options)
        self.processes.append(process)
        return process

    def run(self, command, **options):
        return subprocess.run(command, env=self.env, timeout=WAIT_SECONDS, **options)

    def stop(self):
        for process in reversed(self.processes):
            if process.poll() is not None:
                continue
            if process is getattr(self, "bus", None):
                os.killpg(process.pid, signal.SIGTERM)
            else:
                process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        deadline = time.monotonic() + 5
        while time.monotonic() < deadline:
            try:
                pid, _ = os.waitpid(-1, os.WNOHANG)
            except ChildProcessError:
                break
            if pid == 0:
                time.sleep(0.05)


def screenshot(display_name, path):
    """The whole screen as a PNG, with the X bindings and zlib alone."""
    from Xlib import X, display

    connection = display.Display(display_name)
    root = connection.screen().root
    width, height = SCREEN
    pixels = root.get_image(0, 0, width, height, X.ZPixmap, 0xFFFFFFFF).data  # BGRX
    rgb = bytearray(width * height * 3)
    rgb[0::3], rgb[1::3], rgb[2::3] = pixels[2::4], pixels[1::4], pixels[0::4]
    rows = b"".join(b"\0" + bytes(rgb[y * width * 3:(y + 1) * width * 3]) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                  chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
    connection.close()


def send_close_request(display_name, window_id):
    """WM_DELETE_WINDOW, as a window manager's close button sends it."""
    from Xlib import X, display, protocol

    connection = display.Display(display_name)
    window = connection.create_resource_object("window", window_id)
    protocols = connection.intern_atom("WM_PROTOCOLS")
    delete = connection.intern_atom("WM_DELETE_WINDOW")
    message = protocol.event.ClientMessage(window=window, client_type=protocols,
                                           data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    # A round trip, not just a flush: the server has passed the message on
    # before this connection closes (a flush alone lost it now and then).
    connection.sync()
    connection.close()


class AccessibleApp:
    """The running program as AT-SPI shows it."""

    def __init__(self, name):
        import pyatspi

        self.pyatspi = pyatspi
        self.name = name

    def _app(self):
        for app in self.pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == self.name:
                return app
        return None

    def top_levels(self):
        app = self._app()
        return [window for window in app if window is not None] if app else []

    def find(self, root, role, name=None, where=lambda node: True):
        """The first control of that role and name (any name for None) for
        which `where` holds. Breadth first, without entering tables and
        lists: the controls sought sit near the top of their window."""
        pyatspi = self.pyatspi
        queue = [root]
        skipped = {pyatspi.ROLE_TABLE, pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST}
        while queue:
            node = queue.pop(0)
            if node.getRole() == role and name in (None, node.name) and where(node):
                return node
            if node.getRole() not in skipped:
                queue.extend(child for child in node if child is not None)
        return None

    def showing_centre(self, node):
        """The centre of a control on the screen, once it is showing."""
        if not node.getState().contains(self.pyatspi.STATE_SHOWING):
            return None
        box = node.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS)
        if box.width <= 0 or box.height <= 0:
            return None
        return box.x + box.width // 2, box.y + box.height // 2


class Check:
    def __init__(self, kestrel, cli, spec_file, demo_tessel, work):
        self.kestrel, self.cli, self.spec_file, self.work = kestrel, cli, spec_file, work
        self.config = os.path.join(work, "config")
        os.makedirs(self.config)
        with open(os.path.join(demo_tessel, "tessel.ini.in")) as template, \
                open(os.path.join(self.config, "tessel.ini"), "w") as ini:
            ini.write(template.read().replace("@TESSEL_DIR@", demo_tessel))
        self.desktop = Desktop(work)
        self.desktop.env["KESTREL_CONFIG_DIR"] = self.config
        self.app_log = os.path.join(work, "kestrel.log")
        self.app = None

    def run(self):
        self.desktop.start()
        env = dict(self.desktop.env, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        with open(self.app_log, "wb") as log:
            self.app = subprocess.Popen([self.kestrel, self.spec_file], env=env, stdout=log, stderr=log)
        self.desktop.processes.append(self.app)
        self.tree = AccessibleApp("Kestrel")

        main_window = wait_for("the main window", self.main_window)
        create = wait_for('the button "Create"', lambda: self.tree.find(main_window, self.tree.pyatspi.ROLE_PUSH_BUTTON,
                                                                        "Create"))
        create_at = wait_for('"Create" on the screen', lambda: self.tree.showing_centre(create))
        self.clipboard_matches_command_line(create_at)
        self.viewer_shows_procedure(create_at)
        self.option_follows_accessible_action(main_window)
        self.quit_writes_settings()

    def main_window(self):
        suffix = " - Kestrel"
        for window in self.tree.top_levels():
            if window.name.endswith(suffix) and self.tree.showing_centre(window):
                return window
        return None

    def xdotool(self, *arguments):
        self.desktop.run(["xdotool", *arguments], check=True)

    def click(self, point):
        self.xdotool("mousemove", str(point[0]), str(point[1]), "click", "1")

    def clipboard(self):
        result = self.desktop.run(["xclip", "-selection", "clipboard", "-out", "-target", "UTF8_STRING"],
                                  capture_output=True)
        return result.stdout if result.returncode == 0 and result.stdout else None

    def generate(self):
        return self.desktop.run([self.cli, "generate", self.spec_file], capture_output=True, check=True).stdout

    def clipboard_matches_command_line(self, create_at):
        if self.clipboard() is not None:
            raise CheckFailed("the clipboard was not empty before Create")
        # The DATE line is the day of the click: the command line's text
        # from before and after it covers a click at midnight.
        before = self.generate()
        self.xdotool("keydown", "ctrl")
        try:
            self.click(create_at)
            # Ctrl stays down until the program has answered: it looks at
            # the keyboard when it handles the click.
            copied = wait_for("the procedure on the clipboard", self.clipboard)
        finally:
            self.xdotool("keyup", "ctrl")
        after = self.generate()
        if copied not in (before, after):
            with open(os.path.join(self.work, "clipboard.txt"), "wb") as out:
                out.write(copied)
            with open(os.path.join(self.work, "generate.txt"), "wb") as out:
                out.write(after)
            raise CheckFailed("the clipboard differs from kestrel-cli generate: "
                              f"compare {self.work}/clipboard.txt with {self.work}/generate.txt")
        self.procedure = after
        print(f"Ctrl+Create: the clipboard holds the {len(copied)} bytes kestrel-cli generate writes")

    def viewer_shows_procedure(self, create_at):
        self.click(create_at)
        # The viewer is the window titled "Kestrel" alone.
        found = wait_for("the viewer window", lambda: self.desktop.run(
            ["xdotool", "search", "--onlyvisible", "--name", "^Kestrel$"], capture_output=True).stdout.split())
        viewer = wait_for("the viewer in the accessibility tree", lambda: next(
            (w for w in self.tree.top_levels() if w.name == "Kestrel" and self.tree.showing_centre(w)), None))
        text_box = wait_for("the viewer's text", lambda: self.tree.find(viewer, self.tree.pyatspi.ROLE_TEXT))
        first_line = self.procedure.split(b"\r\n", 1)[0].decode()
        shown = []
        def starts_with_first_line():
            shown.append(text_box.queryText().getText(0, len(first_line)))
            return shown[-1] == first_line
        try:
            wait_for("the viewer's text to start with the procedure's first line", starts_with_first_line)
        except CheckFailed as failure:
            raise CheckFailed(f"the viewer starts with {shown[-1] if shown else None!r}, "
                              f"not with the procedure's {first_line!r}: {failure}") from None
        print("Create: the viewer shows the procedure")

        send_close_request(self.desktop.env["DISPLAY"], int(found[0]))
        wait_for("the viewer to close", lambda: not any(w.name == "Kestrel" and self.tree.showing_centre(w)
                                                          for w in self.tree.top_levels()))
        print("The viewer closed")

    def act(self, node, what):
        """Runs a control's first action, as a screen reader does."""
        action = node.queryAction()
        if action.nActions < 1:
            raise CheckFailed(f"{what} offers no action")
        action.doAction(0)

    def control(self, root, role, name):
        return wait_for(f'"{name}"', lambda: self.tree.find(root, role, name))

    def option_follows_accessible_action(self, main_window):
        pyatspi = self.tree.pyatspi
        self.act(self.control(main_window, pyatspi.ROLE_PAGE_TAB, "Options/Misc"), "the Options/Misc tab")
        go_no_go = self.control(main_window, pyatspi.ROLE_RADIO_BUTTON, "Go-No-Go")
        # A list is heard by its label, its entry as its value.
        readings = wait_for("the readings list", lambda: self.tree.find(
            main_window, pyatspi.ROLE_COMBO_BOX, "# Measurements",
            where=lambda node: node.getState().contains(pyatspi.STATE_SHOWING)))
        self.act(go_no_go, "Go-No-Go")
        wait_for("Go-No-Go checked", lambda: go_no_go.getState().contains(pyatspi.STATE_CHECKED))
        wait_for("the readings list disabled by Go-No-Go",
                 lambda: not readings.getState().contains(pyatspi.STATE_ENABLED))
        print("Go-No-Go chosen through the accessibility interface: its rule disabled the readings list")

    def quit_writes_settings(self):
        windows = wait_for("the main window's X window", lambda: self.desktop.run(
            ["xdotool", "search", "--onlyvisible", "--name", " - Kestrel$"], capture_output=True).stdout.split())
        send_close_request(self.desktop.env["DISPLAY"], int(windows[0]))
        # The options changed above: the question about saving is answered No.
        pyatspi = self.tree.pyatspi
        question = wait_for("the question about unsaved changes", lambda: next(
            (w for w in self.tree.top_levels() if w.name == "Kestrel" and self.tree.showing_centre(w)), None))
        self.act(self.control(question, pyatspi.ROLE_PUSH_BUTTON, "No"), 'the answer "No"')
        try:
            status = self.app.wait(timeout=WAIT_SECONDS)
        except subprocess.TimeoutExpired:
            questions = [w.name for w in self.tree.top_levels() if self.tree.showing_centre(w)]
            raise CheckFailed(f"the program did not end after its window's close request; showing: {questions}")
        if status != 0:
            raise CheckFailed(f"the program ended with status {status}")
        if not os.path.isfile(os.path.join(self.config, "Kestrel.INI")):
            raise CheckFailed("Kestrel.INI was not written into the settings folder")
        print("Closed: the program ended with status 0 and wrote Kestrel.INI")

    def report_failure(self, failure):
        print(f"FAILED: {failure}", file=sys.stderr)
        shot = os.path.join(self.work, "failure.png")
        display_name = self.desktop.env.get("DISPLAY")
        xvfb = getattr(self.desktop, "xvfb", None)
        if display_name and xvfb and xvfb.poll() is None:
            try:
                screenshot(display_name, shot)
                print(f"The screen at the failure: {shot}", file=sys.stderr)
            except Exception as error:  # the failure matters more than its picture
                print(f"No screenshot: {error}", file=sys.stderr)
        if os.path.exists(self.app_log):
            with open(self.app_log, errors="replace") as log:
                output = log.read().strip()
            if output:
                print("kestrel's output:\n" + output, file=sys.stderr)


def main(arguments):
    if len(arguments) != 5:
        print(__doc__, file=sys.stderr)
        return 2
    skip_unless_available()
    kestrel, cli, spec_file, demo_tessel, work = (os.path.abspath(a) for a in arguments)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    check = Check(kestrel, cli, spec_file, demo_tessel, work)
    # ctest's timeout ends the check with SIGTERM: tear down all the same.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("terminated"))
    try:
        check.run()
        return 0
    except (CheckFailed, subprocess.SubprocessError) as failure:
        check.report_failure(failure)
        return 1
    finally:
        check.desktop.stop()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
