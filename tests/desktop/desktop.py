"""The desktop stage's means: the reference host on a demo installation, real X input through
xdotool, and what the host shows read through AT-SPI. Nothing here reaches into the host
otherwise; files are read only to see what the host stored."""

import os
import re
import struct
import subprocess
import time
import zlib

import pyatspi

BUILD_DIR = os.environ["TARVEL_BUILD_DIR"]
REPOSITORY = os.environ["TARVEL_REPOSITORY"]
SHOTS = os.environ["TARVEL_DESKTOP_SHOTS"]
FRAMEBUFFER = os.environ["TARVEL_FRAMEBUFFER"]


OFFICE_TITLE = "Автоматический запрос данных с АЗС"
EDITOR_TITLE = "Настройка автоматического запроса на АЗС"
COUNTDOWN_TITLE = "Подтверждение автозапроса на АЗС"
SECURITY_TITLE = "Безопасность соединения"
MEDIUM_TITLE = "Настройки сменного носителя"
HOST_TITLE = "Кремнекс"
OFFICE_PATH = ("Связь", "Настройки", "Автоматическая отправка запроса")
SECURITY_PATH = ("Связь", "Настройки", "Безопасность соединения")
MEDIUM_PATH = ("Связь", "Настройки", "Сменный носитель")
ITEM_ROLES = ("list item", "table cell", "tree item")
STATIONS = ["АЗС №1 Центральная", "АЗС №2 Вокзальная", "АЗС №3 Заречье"]


def wait_for(probe, what, timeout=20.0):
    """probe's first true answer; fails the test when none comes within the timeout."""
    end = time.monotonic() + timeout
    while True:
        answer = probe()
        if answer:
            return answer
        if time.monotonic() > end:
            raise AssertionError("waited in vain for " + what)
        time.sleep(0.1)


def keys(*names):
    """Presses and lets go of each key (xdotool names: Tab, Return, alt+Cyrillic_es)."""
    subprocess.run(["xdotool", "key", "--delay", "80", *names], check=True)
    time.sleep(0.15)


def click(accessible):
    """A left click at the middle of what accessible shows on the screen."""
    x, y, width, height = extents(accessible)
    subprocess.run(
        ["xdotool", "mousemove", str(x + width // 2), str(y + height // 2), "click", "1"], check=True
    )
    time.sleep(0.15)


def type_text(text):
    subprocess.run(["xdotool", "type", "--delay", "90", text], check=True)
    time.sleep(0.15)


# ---- the accessibility tree ----------------------------------------------------------------


def children(accessible):
    try:
        count = accessible.childCount
    except Exception:
        return []
    found = []
    for index in range(count):
        try:
            child = accessible.getChildAtIndex(index)
        except Exception:
            continue
        if child is not None:
            found.append(child)
    return found


def states(accessible):
    try:
        return accessible.getState()
    except Exception:
        return None


def has_state(accessible, state):
    found = states(accessible)
    return found is not None and found.contains(state)


def walk(accessible, showing_only=True):
    """accessible and everything below it, depth first; with showing_only, only what is on
    the screen."""
    for child in children(accessible):
        if showing_only and not has_state(child, pyatspi.STATE_SHOWING):
            continue
        yield child
        yield from walk(child, showing_only)


def name_of(accessible):
    try:
        return accessible.name or ""
    except Exception:
        return ""


def role_of(accessible):
    try:
        return accessible.getRoleName()
    except Exception:
        return ""


def description_of(accessible):
    try:
        return accessible.description or ""
    except Exception:
        return ""


def extents(accessible):
    """(x, y, width, height) on the screen."""
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return (box.x, box.y, box.width, box.height)


def actions(accessible):
    try:
        action = accessible.queryAction()
    except NotImplementedError:
        return {}
    return {action.getName(index): index for index in range(action.nActions)}


def describe(accessible):
    if accessible is None:
        return "nothing"
    return f"{role_of(accessible)} {name_of(accessible)!r}"


def do_action(accessible, name):
    found = actions(accessible)
    assert name in found, f"{name_of(accessible)!r} offers {sorted(found)}, no {name}"
    accessible.queryAction().doAction(found[name])


class Compositor:
    """weston with its X11 back end, one window covering the stage's X screen, so that the real
    X input reaches the Wayland clients in it. It tells where its windows stand and how they are
    stacked through its debug stream (the clients themselves are not told on Wayland)."""

    def __init__(self, folder):
        folder = str(folder)
        self.socket = f"tarvel-{os.getpid()}"
        configuration = os.path.join(folder, "weston.ini")
        with open(configuration, "w") as file:
            # No panel, no lock, no animations: windows stand where they are at once.
            file.write(
                "[core]\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n"
                "animation=none\nclose-animation=none\nstartup-animation=none\n"
                "focus-animation=none\n"
            )
        self.log = open(os.path.join(folder, "weston.log"), "ab")
        self.process = subprocess.Popen(
            ["weston", "--backend=x11-backend.so", "--use-pixman", "--fullscreen",
             "--width=1280", "--height=800", "--socket=" + self.socket,
             "--config=" + configuration, "--debug"],
            stdout=self.log, stderr=subprocess.STDOUT,
        )
        socket_path = os.path.join(os.environ["XDG_RUNTIME_DIR"], self.socket)
        wait_for(lambda: self._running() and os.path.exists(socket_path), "weston", 30)
        wait_for(lambda: self.toplevels() is not None, "weston's scene graph", 30)

    def _running(self):
        if self.process.poll() is not None:
            raise AssertionError("weston ended; see weston.log")
        return True

    def environment(self):
        return {"WAYLAND_DISPLAY": self.socket, "QT_QPA_PLATFORM": "wayland"}

    def toplevels(self):
        """[(title, (x, y, width, height))] of the mapped top-level windows, the top-most first;
        None while weston does not answer."""
        try:
            graph = subprocess.run(
                ["weston-debug", "scene-graph"], capture_output=True, timeout=10,
                env=dict(os.environ, WAYLAND_DISPLAY=self.socket),
            ).stdout.decode("utf-8", "replace")
        except subprocess.TimeoutExpired:
            return None
        if "Weston scene graph" not in graph:
            return None
        found = []
        for match in re.finditer(
            r"role xdg_toplevel,.*?top-level window '(.*?)'.*?\n\s*position: \((-?\d+), (-?\d+)\)"
            r" -> \((-?\d+), (-?\d+)\)",
            graph,
        ):
            x, y, right, bottom = (int(value) for value in match.groups()[1:])
            found.append((match.group(1), (x, y, right - x, bottom - y)))
        return found

    def box(self, title_start):
        """Where the window whose title begins so stands, title bar included; None if unmapped."""
        for title, box in self.toplevels() or []:
            if title.startswith(title_start):
                return box
        return None

    def above(self, upper_title, lower_title):
        """Whether the first window stands above the second."""
        titles = [title for title, _ in self.toplevels() or []]
        upper = next((i for i, t in enumerate(titles) if t.startswith(upper_title)), None)
        lower = next((i for i, t in enumerate(titles) if t.startswith(lower_title)), None)
        return upper is not None and lower is not None and upper < lower

    def stop(self):
        # Its own clients (the shell's background, the keyboard) end with their connection.
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()


def point_outside(box, covering):
    """A point of box (x, y, width, height) that covering does not cover, away from the edges
    and the title bar; None when covering hides all of box."""
    x, y, width, height = box
    cx, cy, cwidth, cheight = covering
    for px in range(x + 20, x + width - 10, 20):
        for py in range(y + 60, y + height - 10, 20):
            if not (cx <= px < cx + cwidth and cy <= py < cy + cheight):
                return px, py
    return None


def click_at(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
    time.sleep(0.15)


class Host:
    """The reference host in office mode on a demo installation under folder, on the X server
    this stage runs or, given a compositor, on Wayland in it; the installation and the
    remembered window places live on across restarts within one folder."""

    def __init__(self, folder, extra_arguments=(), compositor=None):
        self.folder = str(folder)
        self.root = os.path.join(self.folder, "demo")
        self.log_path = os.path.join(self.folder, "host.log")
        environment = dict(
            os.environ,
            TARVEL_DEMO_ROOT=self.root,
            TARVEL_DEMO_SKIP_BUILD="1",
            BUILD_DIR=BUILD_DIR,
            XDG_CONFIG_HOME=os.path.join(self.folder, "config"),
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            QT_ACCESSIBILITY="1",
        )
        environment.pop("QT_SCALE_FACTOR", None)
        if compositor is not None:
            environment.update(compositor.environment())
        self.log = open(self.log_path, "ab")
        self.process = subprocess.Popen(
            [os.path.join(REPOSITORY, "scripts/run-demo.sh"), *extra_arguments, "--mode", "office"],
            env=environment,
            stdout=self.log,
            stderr=subprocess.STDOUT,
            cwd=self.folder,
        )
        self.application = wait_for(self._find_application, "the host on the accessibility bus", 60)
        wait_for(lambda: self.window("Кремнекс"), "the host's main window")

    def _find_application(self):
        if self.process.poll() is not None:
            raise AssertionError("the host ended: " + open(self.log_path, errors="replace").read())
        desktop = pyatspi.Registry.getDesktop(0)
        for application in children(desktop):
            try:
                if application.get_process_id() == self.process.pid:
                    return application
            except Exception:
                continue
        return None

    def stop(self):
        if self.process.poll() is None:
            # Once the office window has been open, the host has been seen to outlast SIGTERM
            # by ten seconds and more; a test needs nothing of an orderly end (window places
            # are kept when the windows close).
            self.process.terminate()
            try:
                self.process.wait(timeout=2)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.log.close()

    def placements(self):
        """The remembered window places as text ("" while none)."""
        path = os.path.join(self.folder, "config", "Tarvel", "placement.ini")
        return open(path).read() if os.path.exists(path) else ""

    def sibling_calls(self):
        """What the stand-in siblings were called with, as text."""
        path = os.path.join(self.root, "FSYS", "Siblings.log")
        return open(path, encoding="cp1251", errors="replace").read() if os.path.exists(path) else ""

    def settings(self):
        """cnf.INI as text."""
        with open(os.path.join(self.root, "WINDOWS", "cnf.INI"), encoding="cp1251") as file:
            return file.read()

    def window(self, title_start):
        """The top-level window on the screen whose title begins so, or None."""
        for window in children(self.application):
            if name_of(window).startswith(title_start) and has_state(window, pyatspi.STATE_SHOWING):
                return window
        return None

    def wait_window(self, title_start):
        return wait_for(lambda: self.window(title_start), "the window " + title_start)

    def wait_closed(self, title_start, timeout=20.0):
        wait_for(
            lambda: self.window(title_start) is None, "the window " + title_start + " to close",
            timeout,
        )

    def focus(self):
        """The object with the keyboard focus, or None."""
        # Asked afresh: a state kept from before may be stale.
        self.application.clear_cache()
        for window in children(self.application):
            if not has_state(window, pyatspi.STATE_ACTIVE):
                continue
            for accessible in walk(window):
                if not has_state(accessible, pyatspi.STATE_FOCUSED):
                    continue
                # Qt marks a view's current item focused also after the view lost the focus.
                if role_of(accessible) in ITEM_ROLES and not has_state(
                    accessible.parent, pyatspi.STATE_FOCUSED
                ):
                    continue
                return accessible
        return None

    def wait_focus(self, name):
        return wait_for(
            lambda: (lambda focus: focus if focus is not None and name_of(focus) == name else None)(
                self.focus()
            ),
            f"the focus on {name!r} (it is on {name_of(self.focus())!r})",
        )

    def tab_to(self, name, key="Tab", limit=40, whole=True):
        """Presses Tab (or key) until the focus is on the object of that name (with whole
        False: whose name holds it)."""
        for _ in range(limit):
            focus = self.focus()
            if focus is not None and (
                name_of(focus) == name if whole else name in name_of(focus)
            ):
                return focus
            keys(key)
        raise AssertionError(f"{key} never reached {name!r}; the focus is on {describe(self.focus())}")

    def open_office_window(self):
        """Opens the office window from the menu bar with the keyboard: Alt+С ("Связь"), then
        Н ("Настройки") and А ("Автоматическая отправка запроса")."""
        wait_for(lambda: has_state(self.window("Кремнекс"), pyatspi.STATE_ACTIVE), "the host active")
        keys("alt+Cyrillic_es")
        keys("Cyrillic_en")
        keys("Cyrillic_a")
        return self.wait_window(OFFICE_TITLE)

    def click_office_window_open(self):
        """Opens the office window from the menu bar with the mouse."""
        return self.click_menu(OFFICE_PATH, OFFICE_TITLE)

    def click_menu(self, path, title):
        """Clicks through the menu bar to the command at path (captions) and waits for the
        window of that title."""
        wait_for(lambda: has_state(self.window("Кремнекс"), pyatspi.STATE_ACTIVE), "the host active")
        for attempt in range(3):
            click(wait_for(lambda: self.menu_item(path[0]), "the menu " + path[0]))
            # A click that only brought the main window forward opens nothing: once more.
            try:
                submenu = wait_for(lambda: self.menu_item(path[1]), "the menu item " + path[1], 4)
            except AssertionError:
                if attempt == 2:
                    raise
                keys("Escape")
                continue
            click(submenu)
            click(wait_for(lambda: self.menu_item(path[2]), "the menu item " + path[2]))
            return self.wait_window(title)

    def menu_item(self, caption):
        for accessible in walk(self.application):
            if name_of(accessible).replace("&", "") == caption and role_of(accessible) in (
                "menu", "menu item"
            ):
                return accessible
        return None


def frame_of(window, station):
    """The station's frame in the window (not the label inside it that bears the same name)."""
    for accessible in walk(window, showing_only=False):
        if name_of(accessible) == station and role_of(accessible) != "label":
            return accessible
    return None


def settled_extents(accessible):
    """The extents once two readings a moment apart agree (a window manager moves a new window
    once more after it is mapped)."""
    last = None
    for _ in range(40):
        now = extents(accessible)
        if now == last:
            return now
        last = now
        time.sleep(0.15)
    return last


def screenshot(name):
    """The whole X screen as SHOTS/name.png, from the X server's own frame buffer file."""
    with open(FRAMEBUFFER, "rb") as file:
        data = file.read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colour_count = header[11], header[12], header[19]
    assert bits_per_pixel == 32, "a 24-bit screen in 32-bit pixels is expected"
    offset = header_size + colour_count * 12
    rows = []
    for y in range(height):
        line = data[offset + y * bytes_per_line : offset + y * bytes_per_line + width * 4]
        rgb = bytearray(width * 3)
        rgb[0::3] = line[2::4]
        rgb[1::3] = line[1::4]
        rgb[2::3] = line[0::4]
        rows.append(b"\x00" + bytes(rgb))

    def chunk(kind, body):
        return (
            struct.pack(">I", len(body))
            + kind
            + body
            + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
        )

    png = (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
        + chunk(b"IDAT", zlib.compress(b"".join(rows), 6))
        + chunk(b"IEND", b"")
    )
    path = os.path.join(SHOTS, name + ".png")
    with open(path, "wb") as file:
        file.write(png)
    return path
