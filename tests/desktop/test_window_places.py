"""Windows of the plug-in keep their place on a real window manager."""

import time

import pyatspi

from desktop import EDITOR_TITLE, MEDIUM_PATH, MEDIUM_TITLE, OFFICE_TITLE, SECURITY_TITLE
from desktop import STATIONS, Host, has_state, keys, screenshot, settled_extents, wait_for

OPENINGS = 25


def editor_places(host, openings, picture=None):
    """Opens the first station's editor with Enter and closes it with Esc, so many times; the
    editor's place (its client area) at each opening."""
    host.click_office_window_open()
    host.tab_to(STATIONS[0])
    places = []
    for opening in range(openings):
        keys("Return")
        editor = host.wait_window(EDITOR_TITLE)
        places.append(settled_extents(editor)[:2])
        if picture and opening == openings - 1:
            time.sleep(0.5)  # its first paint
            screenshot(picture)
        keys("Escape")
        host.wait_closed(EDITOR_TITLE)
        host.wait_focus(STATIONS[0])
    keys("Escape")
    return places


def test_the_editor_opened_25_times_stays_in_place_also_across_a_restart(host, tmp_path):
    places = editor_places(host, OPENINGS, picture="editor-after-25-openings")
    first = places[0]
    # The title bar stands above the client area: on the screen only when the client area is
    # some way below the screen's top edge.
    assert first[0] >= 0 and first[1] >= 10, f"the editor's title bar is off the screen: {first}"
    assert places == [first] * OPENINGS
    host.stop()
    restarted = Host(tmp_path)
    try:
        assert editor_places(restarted, 1) == [first]
    finally:
        restarted.stop()


def title_bar_on_the_screen(window):
    """Whether the window's title bar stands on the screen: its client area, below the title
    bar, some way below the screen's top edge (the window manager's own bar is some 20 pixels
    high)."""
    x, y, _, _ = settled_extents(window)
    return x >= 0 and y >= 10


def test_every_windows_first_opening_has_its_title_bar_on_the_screen(tmp_path):
    # The password dialog opened by the script as the host starts; the removable medium's
    # dialog, made at Load before any window was shown; the office window and the editor.
    host = Host(tmp_path, ["--open", "Связь/Настройки/Безопасность соединения"])
    try:
        placed = {}
        security = host.wait_window(SECURITY_TITLE)
        placed[SECURITY_TITLE] = title_bar_on_the_screen(security)
        wait_for(lambda: has_state(security, pyatspi.STATE_ACTIVE), "the password dialog active")
        keys("Escape")
        host.wait_closed(SECURITY_TITLE)
        medium = host.click_menu(MEDIUM_PATH, MEDIUM_TITLE)
        placed[MEDIUM_TITLE] = title_bar_on_the_screen(medium)
        screenshot("first-opening-of-the-removable-medium")
        keys("Escape")
        host.wait_closed(MEDIUM_TITLE)
        placed[OFFICE_TITLE] = title_bar_on_the_screen(host.click_office_window_open())
        host.tab_to(STATIONS[0])
        keys("Return")
        placed[EDITOR_TITLE] = title_bar_on_the_screen(host.wait_window(EDITOR_TITLE))
        keys("Escape")
    finally:
        host.stop()
    assert placed == dict.fromkeys(placed, True)
