"""The operator who works with the keyboard alone, from the host's menu bar to stored times."""

import re
import time

import pyatspi

from desktop import EDITOR_TITLE, OFFICE_TITLE, STATIONS, has_state, keys, name_of, role_of
from desktop import describe, screenshot, type_text, wait_for, walk


def section(settings, name):
    """The keys of one [section] of cnf.INI as a dict."""
    match = re.search(r"^\[" + re.escape(name) + r"\]\r?\n(.*?)(?=^\[|\Z)", settings, re.M | re.S)
    assert match, "no section " + name
    return dict(line.split("=", 1) for line in match.group(1).splitlines() if "=" in line)


def tab_to_role(host, roles, limit=40):
    for _ in range(limit):
        focus = host.focus()
        if focus is not None and role_of(focus) in roles:
            return focus
        keys("Tab")
    raise AssertionError(f"Tab never reached a {roles}; the focus is on {describe(host.focus())}")


def test_f10_opens_the_menu_bar_and_escape_closes_it(host):
    wait_for(lambda: has_state(host.window("Кремнекс"), pyatspi.STATE_ACTIVE), "the host active")
    exit_item = lambda: any(
        name_of(item).replace("&", "") == "Выход" for item in walk(host.application)
    )
    assert not exit_item()
    keys("F10")
    wait_for(exit_item, "the file menu open after F10")
    keys("Escape", "Escape")
    wait_for(lambda: not exit_item(), "the menu closed")


def test_keyboard_only_path_from_the_menu_to_stored_daily_and_weekday_times(host):
    # Alt+С, Н, А: "Связь", "Настройки", "Автоматическая отправка запроса".
    host.open_office_window()
    host.tab_to(STATIONS[0])
    # The window has the keyboard, so it is mapped; a moment more for its first paint.
    time.sleep(0.5)
    screenshot("office-window")
    keys("Return")
    host.wait_window(EDITOR_TITLE)
    tab_to_role(host, ("text",))
    type_text("0915")
    host.tab_to("Добавить время", whole=False)
    keys("space")
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(EDITOR_TITLE)
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(OFFICE_TITLE)
    daily = section(host.settings(), "AutoZaprosItem0")
    assert [daily["CP0time"], daily["CP1time"], daily["CP2time"]] == ["08:00", "20:30", "09:15"]

    host.open_office_window()
    host.tab_to(STATIONS[2])
    keys("Return")
    host.wait_window(EDITOR_TITLE)
    tab_to_role(host, ("tree table", "table cell", "tree", "table"))
    keys("Home", "Down")  # the first row, then "ВТ"
    tab_to_role(host, ("text",))
    type_text("1030")
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(EDITOR_TITLE)
    host.tab_to("Применить")
    keys("space")
    host.wait_closed(OFFICE_TITLE)
    weekdays = section(host.settings(), "AutoZaprosItem2")
    assert [weekdays[f"CP{day}time"] for day in range(7)] == [
        "09:00", "10:30", "09:00", "", "09:00", "", ""
    ]
