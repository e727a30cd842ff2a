"""Windows of the plug-in keep their place on a real window manager."""

import time

from desktop import EDITOR_TITLE, STATIONS, Host, keys, screenshot, settled_extents

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
