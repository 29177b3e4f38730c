#!/usr/bin/env python3
"""Listens to the desktop window with Orca, as a blind player uses it.

    desktop_listen.py VELMORA_BINARY WORKED_EXAMPLE_JSON [TRANSCRIPT]

The worked example typed by keyboard, a box's whole value, 计算 and 总收益
announced, a result reached by flat review with its row, a focused button's
new caption, and the help read by flat review, caret and say-all. Exits
non-zero on the first thing Orca did not say.
"""
import json
import sys
from pathlib import Path

from orca_session import OrcaSession

# The panel's boxes in tab order after Text1, as Orca names them.
PANEL_NAMES = {'Text3': '内功攻击', 'Text4': '命中率', 'Text5': '会心率', 'Text6': '会效', 'Text7': '破防',
               'Text8': '无双'}


# hat B (135 hit rating) in place of hat A (nothing): the best of two.
BEST_ROW = r'已比较全部 2 种组合.*第 1 名 \+\d+\.\d\d %：hat：A → B'


def type_gear_list(orca):
    """Types two hats, fields separated by Tab, as a player without a spreadsheet does."""
    for line in (['hat', 'A', '1'], ['hat', 'B', '0', '0', '0', '135']):
        for at, field in enumerate(line):
            if at > 0:
                orca.key('Tab')
            orca.type(field)
        orca.key('Return')


def tab_to(orca, name):
    """Tabs until Orca names a control that starts with `name`."""
    for _ in range(40):
        orca.mark()
        orca.key('Tab')
        if orca.wait_for_speech(r'push button|text\.|check box|radio button').startswith(name):
            return
    raise AssertionError(f'Tab never reached {name}')


class SilentStart(Exception):
    """Orca said nothing at all after the program started."""


def main():
    # Once in about ten sessions Orca, started afresh, says nothing at all; a
    # second session tells that from a window that never speaks, which fails
    # both.
    for attempt in (1, 2):
        try:
            listen()
            return
        except SilentStart:
            if attempt == 2:
                raise
            print('desktop: Orca said nothing at start; listening again in a new session', file=sys.stderr)


def listen():
    binary, example_file = sys.argv[1], sys.argv[2]
    transcript = Path(sys.argv[3]) if len(sys.argv) > 3 else None
    example = json.loads(Path(example_file).read_text(encoding='utf-8'))
    results = dict(example['results'])
    with OrcaSession() as orca:
        orca.mark()
        orca.launch([binary])
        try:
            orca.wait_for_speech(r'此处填入根骨/元气', timeout=60)
        except AssertionError:
            if not orca.spoken():
                raise SilentStart() from None
            raise
        orca.wait_for_quiet()
        first_heard = len(orca.spoken())

        # A box's value is spoken whole, on focus and after typing.
        for name, value in example['panel']:
            orca.press_and_hear('Tab', rf'^{PANEL_NAMES[name]} text\.$')
            orca.wait_for_speech(r'^0 selected\.$')
            orca.type(value)
        orca.press_and_hear('shift+Tab', r'^破防 text\.$')
        orca.wait_for_speech(r'^3000 selected\.$')
        orca.press_and_hear('Tab', r'^无双 text\.$')

        # The discipline by arrow and space, back to the last box, Enter.
        orca.press_and_hear('Tab', r'七秀·冰心')
        orca.press_and_hear('Down', r'纯阳·紫霞')
        orca.press_and_hear('space', r'^selected')
        orca.press_and_hear('shift+Tab', r'^无双 text\.$')
        orca.press_and_hear('Return', r'^notification 已算出每一点属性的收益\.$')

        # Flat review finds each result on its row's line.
        orca.press_and_hear('KP_Up', rf'无双 30 % 无双 {results["Label21"]}$')
        orca.press_and_hear('KP_Home', rf'破防 3000 破防 {results["Label20"]}$')
        orca.press_and_hear('KP_Home', rf'会效 180 % 会效 {results["Label19"]}$')

        # 总收益 is announced with each set's whole total (100 attack rating
        # in set 1 at the attack's gain 1.480695); 脱第一套装备's new caption
        # is spoken.
        orca.press_and_hear(['shift+Tab'] * 6, r'^根骨 text\.$')
        orca.type('3000')
        orca.press_and_hear(['Tab'] * 9, r'^第一套 内功攻击 text\.$')
        orca.type('100')
        orca.press_and_hear(['Tab'] * 6, r'^总收益 push button\.$')
        orca.press_and_hear('space', r'^notification 已算出各套装备的总收益.第一套 148\.0695.第二套 0.第三套 0.第四套 0')
        # 实际提升 and 收益曲线: a set's exact change and a cap's headroom read by
        # Tab (set 2 holds nothing: in place of set 1 it loses 100 attack of
        # 15000, -0.67 %; hit 105 % is 5 % or 225 rating below its cap).
        tab_to(orca, '实际提升与收益曲线')
        orca.press_and_hear('space', r'第一套 0\.00 %')
        orca.press_and_hear('Tab', r'第二套 -0\.67 %')
        for _ in range(10):
            orca.mark()
            orca.key('Tab')
            orca.wait_for_quiet()
            if any('命中还差 225 点' in said for said in orca.since_mark()):
                break
        else:
            raise AssertionError('Tab never reached 命中还差 225 点')
        orca.press_and_hear('alt+F4', r'实际提升与收益曲线 push button')
        # 最佳组合: a list typed by keyboard (Tab types a separator, Ctrl+Tab
        # leaves the list), read in and searched; the best row, its change and
        # its swap are said as the answer stands, and reached again by Tab.
        tab_to(orca, '最佳组合')
        orca.press_and_hear('space', r'装备列表')
        type_gear_list(orca)
        # The grid above shows what was typed, each cell by its item and field.
        orca.press_and_hear('ctrl+shift+Tab', r'^添加一件 push button')
        orca.press_and_hear('shift+Tab', r'^删除第 2 件 push button')
        for _ in range(2):
            orca.key('shift+Tab')
        orca.wait_for_quiet()
        orca.press_and_hear('Tab', r'^第 2 件 加速等级')
        for _ in range(2):
            orca.key('Tab')
        orca.press_and_hear('Tab', r'装备列表')
        orca.press_and_hear('ctrl+Tab', r'^读入列表 push button')
        orca.key('space')
        tab_to(orca, '开始比较')
        orca.press_and_hear('space', BEST_ROW)
        orca.press_and_hear('Tab', r'^已比较全部 2 种组合')
        orca.press_and_hear('Tab', r'^第 1 名 \+\d+\.\d\d %：hat：A → B')
        orca.press_and_hear('alt+F4', r'最佳组合 push button')
        tab_to(orca, '脱第一套装备')
        orca.wait_for_quiet()
        orca.press_and_hear('space', r'^notification 穿第一套装备。已算出每一点属性的收益\.$')
        orca.press_and_hear('KP_Enter', r'^穿第一套装备 push button')
        orca.press_and_hear('space', r'^notification 脱第一套装备。已算出每一点属性的收益\.$')

        # The help: a section's press is announced; flat review, caret and
        # say-all read its printed lines.
        orca.press_and_hear('shift+Tab', r'^详细说明 push button\.$')
        orca.press_and_hear('space', r'^使用说明 push button\.$')
        orca.wait_for_quiet()
        orca.press_and_hear('space', r'^notification 使用说明\.$')
        orca.wait_for_quiet()
        orca.press_and_hear('KP_Page_Up', r'^blank$')
        orca.press_and_hear('KP_Page_Up', r'^一、使用说明$')
        orca.press_and_hear('KP_Page_Up', r'^blank$')
        orca.press_and_hear('KP_Page_Up', r'^1、进行配装测试前请先选择你的内功心法$')
        orca.press_and_hear('shift+Tab', r'^使用说明 read only text\.$')
        for line in ['blank', 'blank', '一、使用说明', 'blank', '1、进行配装测试前请先选择你的内功心法']:
            orca.press_and_hear('Down', rf'^{line}$')
        orca.press_and_hear('KP_Add', r'^9、本工具尚有许多未完善之处')

        orca.check_no_errors()
        if transcript:
            transcript.write_text('\n'.join(orca.spoken()[first_heard:]) + '\n', encoding='utf-8')
    print('desktop: everything was heard')


if __name__ == '__main__':
    main()
