"""The office window, its editor and the count-down for a screen reader and the keyboard."""

import datetime
import re
import time

import pyatspi

from desktop import COUNTDOWN_TITLE, EDITOR_TITLE, OFFICE_TITLE, STATIONS, Host, actions
from desktop import description_of, do_action, extents, frame_of, has_state, keys, name_of
from desktop import role_of, screenshot, wait_for, walk

# How the description of an overlap of sessions begins.
OVERLAP = "Возможное наложение сеансов:"

# Characters that are drawn, not said: arrows made of brackets, a cross made of an x.
DRAWN = re.compile(r"<<|>>|(^|\s)x(\s|$)|^\s|\s$")


def unnamed_focusable(window):
    """'role: name' of every focusable object on the screen without a name a listener
    understands."""
    faults = []
    for accessible in walk(window):
        if not has_state(accessible, pyatspi.STATE_FOCUSABLE):
            continue
        name = name_of(accessible)
        if not name.strip() or DRAWN.search(name):
            faults.append(f"{role_of(accessible)}: {name!r}")
    return faults


def open_editor(host, station):
    host.tab_to(station)
    keys("Return")
    return host.wait_window(EDITOR_TITLE)


def test_the_office_window_opens_with_the_focus_on_the_first_station_at_the_top(host):
    window = host.click_office_window_open()
    host.wait_focus(STATIONS[0])
    # Down to the last station, away with Esc, and back: the same start again.
    host.tab_to("АЗС №12", whole=False)
    keys("Escape")
    host.wait_closed(OFFICE_TITLE)
    window = host.click_office_window_open()
    first = host.wait_focus(STATIONS[0])
    box = extents(first)
    top = extents(window)
    assert box[1] - top[1] < 60, "the first station is not at the top of the window"


def test_every_focusable_control_has_a_name(host):
    window = host.click_office_window_open()
    faults = {"office window": unnamed_focusable(window)}
    editor = open_editor(host, STATIONS[0])
    faults["daily editor"] = unnamed_focusable(editor)
    keys("Escape")
    host.wait_closed(EDITOR_TITLE)
    editor = open_editor(host, STATIONS[2])
    faults["weekday editor"] = unnamed_focusable(editor)
    keys("Escape")
    assert faults == {"office window": [], "daily editor": [], "weekday editor": []}


def test_the_count_down_has_named_controls(tmp_path):
    # The demo's first station asks first and falls due at this minute and the coming one; the
    # polling's first tick, 30 seconds after the start, falls in one of them. A minute 0 is
    # skipped by the polling's first walk, so not that one.
    while datetime.datetime.now().minute == 59:
        time.sleep(1)
    host = Host(tmp_path, ["--poll-next-minute"])
    try:
        countdown = wait_for(lambda: host.window(COUNTDOWN_TITLE), "the count-down", 120)
        time.sleep(0.5)  # its first paint
        screenshot("count-down")
        assert unnamed_focusable(countdown) == []
        keys("Escape")
        host.wait_closed(COUNTDOWN_TITLE)
    finally:
        host.stop()


def test_a_frame_opens_its_editor_through_its_press_action(host):
    window = host.click_office_window_open()
    frame = wait_for(lambda: frame_of(window, STATIONS[1]), "the second station's frame")
    assert "Press" in actions(frame)
    do_action(frame, "Press")
    editor = host.wait_window(EDITOR_TITLE)
    assert any(name_of(item) == STATIONS[1] for item in walk(editor))
    keys("Escape")


def sight_of(frame):
    """The extents of the scroll box's viewport that shows the frame: the first of its
    ancestors lower than the scrolled contents."""
    contents = frame.parent.parent
    ancestor = contents.parent
    while extents(ancestor)[3] >= extents(contents)[3]:
        ancestor = ancestor.parent
    return extents(ancestor)


def test_a_frame_focused_by_an_assistive_client_comes_into_sight(host):
    window = host.click_office_window_open()
    frames = [a for a in walk(window, showing_only=False) if role_of(a) != "label"
              and name_of(a).startswith("АЗС №")]
    last = max(frames, key=lambda frame: extents(frame)[1])
    area = sight_of(last)
    assert extents(last)[1] + extents(last)[3] > area[1] + area[3], "no frame out of sight"
    last.queryComponent().grabFocus()
    host.wait_focus(name_of(last))
    box = wait_for(
        lambda: (lambda b: b if b[1] + b[3] <= area[1] + area[3] else None)(extents(last)),
        "the focused frame in sight",
    )
    assert box[1] >= area[1]


def test_frames_stand_in_station_order_in_the_accessible_tree(host):
    host.click_office_window_open()
    # Scrolled down to the last station and reopened there: the frames are made from the
    # bottom up.
    host.tab_to("АЗС №12", whole=False)
    keys("Escape")
    host.wait_closed(OFFICE_TITLE)
    window = host.click_office_window_open()
    host.tab_to("АЗС №1 ", whole=False, key="shift+Tab")
    names = [
        name_of(a)
        for a in walk(window, showing_only=False)
        if name_of(a).startswith("АЗС №") and role_of(a) != "label"
    ]
    numbers = [int(re.match(r"АЗС №(\d+)", name).group(1)) for name in names]
    assert numbers == sorted(numbers)


def test_the_switch_toggled_through_its_action_stores_off(host):
    host.click_office_window_open()
    editor = open_editor(host, STATIONS[1])
    enable = next(a for a in walk(editor) if name_of(a).startswith("Включить автоматический"))
    assert has_state(enable, pyatspi.STATE_CHECKED)
    switches = [
        a
        for a in walk(editor)
        if role_of(a) in ("check box", "toggle button") and a != enable
        and not name_of(a).startswith("Запрашивать")
    ]
    assert len(switches) == 1, [name_of(a) for a in switches]
    do_action(switches[0], "Toggle")
    wait_for(lambda: not has_state(switches[0], pyatspi.STATE_CHECKED), "the switch off")
    wait_for(lambda: not has_state(enable, pyatspi.STATE_CHECKED), "the check box cleared")
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(EDITOR_TITLE)
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(OFFICE_TITLE)
    assert re.search(r"\[AutoZaprosItem1\]\r?\nEnable=0\r?\n", host.settings())


def test_the_chart_collisions_are_reached_with_the_keys(host):
    host.click_office_window_open()
    chart = host.tab_to("График связи")
    assert not description_of(chart).startswith(OVERLAP)
    keys("Right")
    first = wait_for(
        lambda: description_of(chart).startswith(OVERLAP) and description_of(chart),
        "a collision described",
    )
    # The demo's first two stations meet at 08:00 every day.
    assert STATIONS[0] in first and STATIONS[1] in first and "08:00" in first
    # Shown as the hover hint is: a tooltip that says the same.
    wait_for(
        lambda: any(
            role_of(a) == "tool tip" and name_of(a) == first for a in walk(host.application)
        ),
        "the collision shown as a tooltip",
    )
    keys("Right")
    second = wait_for(
        lambda: description_of(chart) not in (first, "") and description_of(chart),
        "the next collision",
    )
    assert second.startswith(OVERLAP)
    keys("Left")
    wait_for(lambda: description_of(chart) == first, "the first collision again")
    assert second != first
