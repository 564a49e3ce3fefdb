#!/usr/bin/env python3
"""The program driven from outside through the desktop's accessibility bus.

A screen reader or a UI automation tool sees the program only through
AT-SPI: it finds a control by its name or by the label it is labelled by,
types through the EditableText interface and presses through the Action
interface. This check starts the real program in a copy of its program
folder under Xvfb, with a private session bus and the accessibility bus,
and then works the form as a seller with such a tool would:

- the application, the main window, its menu and its three tabs are found;
- every button, check box and radio button of every page and dialog has a
  name, every edit, combo box and list a name or a label, and no two
  controls of one kind in a page or dialog share a name;
- on the plate page the title edit is found through its label, a title is
  typed, a carrier is ticked and "完成" is pressed, and the page appears in
  back/; the mail page fills a template for a typed item; the file page
  lists and shows the saved page;
- each dialog (account editor, result, link tag, booth text, template
  editor, new forms, about box) is opened, checked and closed;
- the status line's message after "完成" is read through its text, and the
  tariff editor's verdict is read as it follows a typed ID; its regions'
  prefecture choices are in the tree, each found by its prefecture;
- "終了（E）" ends the program, which writes its settings on the way out.

  check_accessibility.py PROGRAM_FOLDER

PROGRAM_FOLDER holds the built program (torepal, file/, back/ ...); the
check works in a copy of it. Without the tools (Xvfb, dbus-run-session, the
AT-SPI bus launcher, Python's GObject bindings with Atspi) it is skipped
with exit code 77.
"""

import os
import shutil
import subprocess
import sys
import tempfile
import time
import traceback
import warnings

SKIP = 77
INSIDE = "TOREPAL_A11Y_SESSION"
LAUNCHERS = ("/usr/libexec/at-spi-bus-launcher", "/usr/lib/at-spi2-core/at-spi-bus-launcher")

warnings.filterwarnings("ignore", category=DeprecationWarning)


# ---- outside the session: tools, a fresh program folder, the session ----

def missing_tools():
    missing = [tool for tool in ("Xvfb", "dbus-run-session") if not shutil.which(tool)]
    if not any(os.access(p, os.X_OK) for p in LAUNCHERS):
        missing.append("at-spi-bus-launcher (at-spi2-core)")
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi  # noqa: F401
    except (ImportError, ValueError):
        missing.append("python3-gi with gir1.2-atspi-2.0 (for " + sys.executable + ")")
    return missing


def run_outside(program_folder):
    missing = missing_tools()
    if missing:
        print("SKIPPED: missing " + ", ".join(missing) + " (bash scripts/setup.sh installs them)")
        return SKIP
    if not os.access(os.path.join(program_folder, "torepal"), os.X_OK):
        print("no program at " + os.path.join(program_folder, "torepal"))
        return 1
    work = tempfile.mkdtemp(prefix="torepal-a11y-")
    try:
        folder = os.path.join(work, "torepal")
        shutil.copytree(program_folder, folder, symlinks=True)
        # A fresh start: nothing saved, no settings but the shipped ones.
        shutil.rmtree(os.path.join(folder, "back"), ignore_errors=True)
        os.mkdir(os.path.join(folder, "back"))
        for name in ("bank.ini", "status.ini", "menu_preview.html"):
            if os.path.exists(os.path.join(folder, name)):
                os.remove(os.path.join(folder, name))
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        server, display = start_x_server(os.path.join(work, "xvfb.log"))
        try:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, DISPLAY=display)
            env.pop("XAUTHORITY", None)
            env.pop("WAYLAND_DISPLAY", None)
            env[INSIDE] = "1"
            command = ["dbus-run-session", "--", sys.executable, os.path.abspath(__file__), folder]
            try:
                status = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, timeout=120).returncode
            except subprocess.TimeoutExpired:
                print("the check did not finish within 120 s")
                status = 1
        finally:
            server.terminate()
            server.wait()
        if status != 0:
            with open(os.path.join(work, "xvfb.log")) as f:
                print("X server on %s:\n%s" % (display, f.read()))
        return status
    finally:
        shutil.rmtree(work, ignore_errors=True)


def start_x_server(log_path):
    """Xvfb on a display number it picks itself and reports back, so that
    two checks started at once never share or fight over a display. Without
    -noreset the server starts afresh whenever its last client leaves (the
    accessibility bus launcher is one), and a program connecting just then
    is turned away."""
    import select
    reader, writer = os.pipe()
    log = open(log_path, "w")
    server = subprocess.Popen(["Xvfb", "-displayfd", str(writer), "-screen", "0", "1280x1024x24", "-nolisten", "tcp",
                               "-noreset"],
                              pass_fds=(writer,), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    os.close(writer)
    log.close()
    number = b""
    deadline = time.monotonic() + 15
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        ready, _, _ = select.select([reader], [], [], 0.2)
        if ready:
            chunk = os.read(reader, 16)
            if not chunk:
                break
            number += chunk
    os.close(reader)
    if not number.strip().isdigit():
        server.kill()
        server.wait()
        raise SystemExit("Xvfb did not start")
    return server, ":" + number.strip().decode()


# ---- inside the session ------------------------------------------------

if os.environ.get(INSIDE) == "1":
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi, Gio, GLib

    BUTTONS = (Atspi.Role.PUSH_BUTTON, Atspi.Role.CHECK_BOX, Atspi.Role.RADIO_BUTTON, Atspi.Role.TOGGLE_BUTTON)

failures = []


def fail(text):
    failures.append(text)
    print("FAIL: " + text, flush=True)


def check(condition, text):
    if not condition:
        fail(text)
    return condition


class Stop(Exception):
    """A step the rest depends on went wrong."""


def require(value, text):
    if not value:
        raise Stop(text)
    return value


def poll(probe, timeout=8.0, interval=0.05):
    """probe() until it returns something true, or None after `timeout` s."""
    deadline = time.monotonic() + timeout
    while True:
        try:
            value = probe()
        except GLib.Error:
            value = None
        if value:
            return value
        if time.monotonic() > deadline:
            return None
        time.sleep(interval)


def fresh(acc):
    try:
        acc.clear_cache()
    except (AttributeError, GLib.Error):
        pass
    return acc


def name_of(acc):
    return acc.get_name() or ""


def role_of(acc):
    return acc.get_role()


def children(acc):
    kids = []
    for i in range(acc.get_child_count()):
        kid = acc.get_child_at_index(i)
        if kid is not None:
            kids.append(kid)
    return kids


def descendants(root):
    """Every accessible under root, without the entries of combo boxes and
    the parts of scroll bars (Qt's own, and many)."""
    stack = [root]
    while stack:
        acc = stack.pop()
        yield acc
        if role_of(acc) in (Atspi.Role.COMBO_BOX, Atspi.Role.SCROLL_BAR):
            continue
        stack.extend(reversed(children(acc)))


def labels_of(acc):
    names = []
    for relation in acc.get_relation_set():
        if relation.get_relation_type() != Atspi.RelationType.LABELLED_BY:
            continue
        for i in range(relation.get_n_targets()):
            target = relation.get_target(i)
            if target is not None and role_of(target) == Atspi.Role.LABEL and name_of(target):
                names.append(name_of(target))
    return names


def has_state(acc, state):
    return fresh(acc).get_state_set().contains(state)


def finding_name(acc):
    """The name a tool finds a control by: a button's name, an edit's name
    or label, a combo box's label (Qt names a combo box by its entry)."""
    role = role_of(acc)
    if role == Atspi.Role.COMBO_BOX:
        labels = labels_of(acc)
        return labels[0] if labels else ""
    if role in BUTTONS:
        return name_of(acc)
    return name_of(acc) or next(iter(labels_of(acc)), "")


def find_all(root, role, name=None, label=None):
    found = []
    for acc in descendants(root):
        if role_of(acc) != role:
            continue
        if name is not None and name_of(acc).strip() != name:
            continue
        if label is not None and label not in [text.strip() for text in labels_of(acc)]:
            continue
        found.append(acc)
    return found


def find(root, role, name=None, label=None, where=""):
    """Exactly one control of `role` called `name` or labelled `label`."""
    what = "%s %s" % (role.value_nick, repr(name if name is not None else "labelled " + str(label)))
    found = find_all(root, role, name, label)
    if len(found) != 1:
        fail("%s: %d found for %s" % (where, len(found), what))
        return None
    return found[0]


def action_index(acc, wanted=("Press", "Toggle", "Activate", "Click")):
    count = Atspi.Action.get_n_actions(acc)
    names = [Atspi.Action.get_action_name(acc, i) for i in range(count)]
    for want in wanted:
        if want in names:
            return names.index(want)
    raise Stop("%s %r has no press action (only %s)" % (acc.get_role_name(), name_of(acc), names))


def press(acc):
    Atspi.Action.do_action(acc, action_index(acc))


def text_of(acc):
    fresh(acc)
    return Atspi.Text.get_text(acc, 0, Atspi.Text.get_character_count(acc))


def readable_text(acc):
    """The text of an accessible with a Text interface; None without one."""
    try:
        return text_of(acc)
    except (GLib.Error, NotImplementedError, TypeError, AttributeError):
        return None


def labels_reading(root, words):
    """Labels under root whose text, read through their Text interface,
    holds `words`."""
    return [acc for acc in descendants(fresh(root))
            if role_of(acc) == Atspi.Role.LABEL and words in (readable_text(acc) or "")]


def type_into(acc, text):
    require(Atspi.EditableText.set_text_contents(acc, text), "typing into %r was refused" % name_of(acc))
    require(poll(lambda: text_of(acc) == text, 3), "%r does not hold what was typed" % name_of(acc))


def check_every_control_named(root, where):
    """Every control under root has a name to be found by, and no two of
    one kind share it."""
    seen = {}
    count = 0
    for acc in descendants(root):
        role = role_of(acc)
        if role in BUTTONS:
            parent = acc.get_parent()
            if parent is not None and role_of(parent) == Atspi.Role.PAGE_TAB_LIST:
                continue  # the tab bar's scroll arrows, named by Qt
        elif role in (Atspi.Role.TEXT, Atspi.Role.PASSWORD_TEXT, Atspi.Role.COMBO_BOX):
            pass
        elif role in (Atspi.Role.LIST, Atspi.Role.TABLE, Atspi.Role.TREE):
            parent = acc.get_parent()
            if parent is not None and role_of(parent) == Atspi.Role.COMBO_BOX:
                continue
        else:
            continue
        count += 1
        name = finding_name(acc).strip()
        if not check(name, "%s: a %s (%r, in %r) has no name and no label"
                     % (where, acc.get_role_name(), name_of(acc), name_of(acc.get_parent()))):
            continue
        key = (role, name)
        check(key not in seen, "%s: two controls of role %s are called %r" % (where, acc.get_role_name(), name))
        seen[key] = acc
    check(count > 0, "%s: no controls found" % where)
    return count


def expect_controls(root, where, buttons=(), checks=(), radios=(), edits=(), combos=()):
    for name in buttons:
        find(root, Atspi.Role.PUSH_BUTTON, name=name, where=where)
    for name in checks:
        find(root, Atspi.Role.CHECK_BOX, name=name, where=where)
    for name in radios:
        find(root, Atspi.Role.RADIO_BUTTON, name=name, where=where)
    for label in edits:
        # Found by its label where it has one beside it, else by its name.
        found = find_all(root, Atspi.Role.TEXT, label=label) or find_all(root, Atspi.Role.TEXT, name=label)
        if check(len(found) == 1, "%s: %d edits found by %r" % (where, len(found), label)):
            check(name_of(found[0]).strip() == label, "%s: the edit for %r is called %r" % (where, label,
                                                                                           name_of(found[0])))
    for label in combos:
        find(root, Atspi.Role.COMBO_BOX, label=label, where=where)


# ---- the session: buses, program, application ----------------------------

def start_accessibility_bus():
    launcher = next(p for p in LAUNCHERS if os.access(p, os.X_OK))
    process = subprocess.Popen([launcher, "--launch-immediately"], stdin=subprocess.DEVNULL)
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def owned():
        reply = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                              "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                              Gio.DBusCallFlags.NONE, 1000, None)
        return reply.unpack()[0]
    require(poll(owned, 10), "the accessibility bus did not start")
    return process


def program_environment():
    env = dict(os.environ)
    env.pop(INSIDE, None)
    env.update(QT_QPA_PLATFORM="xcb", QT_ACCESSIBILITY="1", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    return env


def application_of(pid):
    def probe():
        desktop = fresh(Atspi.get_desktop(0))
        for app in children(desktop):
            if app.get_process_id() == pid:
                return app
        return None
    return poll(probe, 15, 0.1)


def windows(app):
    return children(fresh(app))


def shown_window(app, title, timeout=8):
    def probe():
        for window in windows(app):
            if name_of(window) == title and has_state(window, Atspi.StateType.SHOWING):
                return window
        return None
    return poll(probe, timeout)


def window_gone(app, title, timeout=8):
    def probe():
        return all(not (name_of(w) == title and has_state(w, Atspi.StateType.SHOWING)) for w in windows(app))
    return poll(probe, timeout)


def press_menu_item_elsewhere(pid, menu_name):
    """A menu command that runs a modal dialog answers only once the dialog
    is closed: it is pressed from a second process while this one works
    the dialog."""
    return subprocess.Popen([sys.executable, os.path.abspath(__file__), "--press-menu-item", str(pid), menu_name],
                            env=os.environ, stdin=subprocess.DEVNULL)


def press_menu_item(pid, menu_name):
    app = require(application_of(pid), "no application with process %d" % pid)
    items = []
    for window in windows(app):
        items += find_all(window, Atspi.Role.MENU_ITEM, name=menu_name)
    require(len(items) == 1, "%d menu items %r" % (len(items), menu_name))
    try:
        press(items[0])
    except GLib.Error:
        pass  # the answer of a dialog left open long, or of a program that ended
    return 0


# ---- the checks ------------------------------------------------------------

TITLE = "アクセシビリティ確認の腕時計"
ITEM = "外から入力した商品名"


def check_dialog(app, opener, title, close, where, **expected):
    """Opens a dialog by pressing `opener` (an accessible or a menu item
    name), checks its controls and closes it with the button `close`."""
    helper = None
    if isinstance(opener, str):
        helper = press_menu_item_elsewhere(app.get_process_id(), opener)
    else:
        press(opener)
    try:
        window = shown_window(app, title)
        if not check(window, "%s: the window %r did not open" % (where, title)):
            return
        check_every_control_named(window, where)
        expect_controls(window, where, **expected)
        button = find(window, Atspi.Role.PUSH_BUTTON, name=close, where=where)
        if button is not None:
            press(button)
            check(window_gone(app, title), "%s: %r did not close" % (where, close))
    finally:
        if helper is not None:
            try:
                helper.wait(10)
            except subprocess.TimeoutExpired:
                helper.kill()
                helper.wait()


def tab_pages(main):
    tabs = require(find(main, Atspi.Role.PAGE_TAB_LIST, where="main window"), "no tab bar")
    stack = require(find(main, Atspi.Role.LAYERED_PANE, where="main window"), "no page stack")
    names = [name_of(t) for t in children(tabs) if role_of(t) == Atspi.Role.PAGE_TAB]
    check(names == ["プレート作成", "メール作成", "ファイル管理"], "the tabs are %r" % names)
    pages = children(stack)
    require(len(pages) == 3, "%d pages in the tab stack" % len(pages))
    return {n: (t, p) for n, t, p in zip(names, [t for t in children(tabs) if role_of(t) == Atspi.Role.PAGE_TAB],
                                         pages)}


def choose_tab(tab, page, button):
    """Chooses the tab and waits for the button `button` of its page to show.
    The mail and file pages are made on their tab's first visit, so the
    button is looked for only after the tab is chosen."""
    press(tab)

    def shown():
        found = find_all(fresh(page), Atspi.Role.PUSH_BUTTON, button)
        return len(found) == 1 and has_state(found[0], Atspi.StateType.SHOWING)

    # Qt names the tab bar after the tab shown.
    check(poll(lambda: name_of(fresh(tab.get_parent())) == name_of(tab) and shown()),
          "the tab %r was not shown with its button %r" % (name_of(tab), button))


def set_checked(box, on):
    if has_state(box, Atspi.StateType.CHECKED) != on:
        press(box)
        check(poll(lambda: has_state(box, Atspi.StateType.CHECKED) == on, 3),
              "%r did not become %s" % (name_of(box), "ticked" if on else "unticked"))


def check_status_line(main, words, where):
    line = find(main, Atspi.Role.STATUS_BAR, where="main window")
    if line is not None:
        check(poll(lambda: labels_reading(line, words), 5),
              "%s: the status line's text %r cannot be read through AT-SPI" % (where, words))


def check_tariff_editor(app):
    """The tariff editor: its verdict is a label read by its text (not
    hidden behind a name of its own), it follows an ID typed from outside,
    and every prefecture's region choice is in the tree."""
    where = "tariff editor"
    title = "料金表の編集"
    helper = press_menu_item_elsewhere(app.get_process_id(), "料金表の編集（T）")
    try:
        window = shown_window(app, title)
        if not check(window, "%s: the window did not open" % where):
            return
        check_every_control_named(window, where)
        expect_controls(window, where, buttons=["新規(N)", "保存(W)", "閉じる", "元に戻す(Z)"],
                        edits=["ID（ファイル名）(I)", "サービス名(M)"], combos=["北海道", "沖縄県", "料金の形(H)"])
        verdict = poll(lambda: labels_reading(window, "誤りはありません"), 5)
        if check(verdict, "%s: the verdict cannot be read" % where):
            check(name_of(verdict[0]) != "確認の結果", "%s: the verdict is hidden by a name of its own" % where)
        ident = find(window, Atspi.Role.TEXT, label="ID（ファイル名）(I)", where=where)
        if ident is not None:
            type_into(ident, "clickpost")
            check(poll(lambda: labels_reading(window, "すでにあります"), 5),
                  "%s: a taken ID typed from outside is not told" % where)
            undo = find(window, Atspi.Role.PUSH_BUTTON, name="元に戻す(Z)", where=where)
            if undo is not None:
                press(undo)
                check(poll(lambda: text_of(ident) == "teikeigai", 3), "%s: 元に戻す did not put the ID back" % where)
        button = find(window, Atspi.Role.PUSH_BUTTON, name="閉じる", where=where)
        if button is not None:
            press(button)
            check(window_gone(app, title), "%s: 閉じる did not close it" % where)
    finally:
        try:
            helper.wait(10)
        except subprocess.TimeoutExpired:
            helper.kill()
            helper.wait()


def check_plate_page(app, page, folder, main):
    where = "plate page"
    check_every_control_named(page, where)
    carriers = ["クロネコヤマト", "佐川急便", "ゆうパック", "Yahoo！ゆうパック", "定形外郵便", "冊子小包", "クロネコメール便",
                "EXPACK500"]
    expect_controls(
        page, where,
        buttons=["銀行登録", "パレット（カラー1）", "パレット（カラー2）", "パレット（カラー3）", "テキストリンク編集", "完成",
                 "プレビュー", "完成・クリップボードへコピー", "クリアー", "リンクタグ作成"],
        checks=carriers + ["Yahoo!かんたん決済", "切手", "銀行1（未登録）", "銀行2（未登録）", "銀行3（未登録）", "銀行4（未登録）",
                           "ぱるる", "振替口座"],
        radios=["中央", "左寄せ", "リンクしない", "リンクする"],
        edits=["-----商品タイトル------", "-----商品情報------", "-----発送方法------", "-----追加項目の見出し------",
               "-----追加項目の内容------", "【Yahoo ID】"],
        combos=["重量", "サイズ", "発送元", "【タイプ】"])

    # The form worked from outside: a title, one carrier, "完成".
    title = require(find(page, Atspi.Role.TEXT, label="-----商品タイトル------", where=where), "no title edit")
    type_into(title, TITLE)
    for name in carriers:
        box = find(page, Atspi.Role.CHECK_BOX, name=name, where=where)
        if box is not None and has_state(box, Atspi.StateType.ENABLED):
            set_checked(box, name == "クロネコヤマト")
    press(require(find(page, Atspi.Role.PUSH_BUTTON, name="完成", where=where), "no 完成"))
    back = os.path.join(folder, "back")
    saved = poll(lambda: [n for n in os.listdir(back) if n.endswith(".html") and not n.startswith(".")], 10)
    if not check(saved and len(saved) == 1, "完成 saved %r in back/" % saved):
        return None
    check(TITLE in saved[0], "the saved page %r is not named after the title" % saved[0])
    with open(os.path.join(back, saved[0]), "rb") as f:
        content = f.read()
    check(TITLE.encode("cp932") in content, "the saved page does not hold the title typed from outside")
    check("【北東北】".encode("cp932") in content, "the saved page has no クロネコヤマト rates after the tick")
    check_status_line(main, "を保存しました", where)

    # The dialogs of the plate page.
    check_dialog(app, find(page, Atspi.Role.PUSH_BUTTON, name="銀行登録"), "振込み口座の編集", "キャンセル",
                 "account editor",
                 buttons=["OK", "キャンセル"],
                 edits=["銀行1 銀行名", "銀行1 支店名", "銀行1 口座番号", "銀行1 名義", "銀行4 名義", "ぱるる 記号", "ぱるる 番号",
                        "振替口座 名義"],
                 combos=["銀行1 種類", "銀行2 種類", "銀行3 種類", "銀行4 種類", "ぱるる 種類", "振替口座 種類"])
    check_dialog(app, find(page, Atspi.Role.PUSH_BUTTON, name="完成・クリップボードへコピー"), "完成！", "キャンセル",
                 "result dialog", buttons=["クリップボードへコピー", "キャンセル"])
    check_dialog(app, find(page, Atspi.Role.PUSH_BUTTON, name="リンクタグ作成"), "リンクタグの生成", "キャンセル",
                 "link tag dialog", buttons=["作成", "キャンセル"], edits=["■リンクする文章", "■リンクするURL"])
    check_dialog(app, find(page, Atspi.Role.PUSH_BUTTON, name="テキストリンク編集"), "テキストの編集", "キャンセル",
                 "booth text dialog", buttons=["OK", "キャンセル"], edits=["マイブースのリンク時の紹介文"])
    return saved[0]


def check_mail_page(app, page):
    where = "mail page"
    check_every_control_named(page, where)
    expect_controls(
        page, where,
        buttons=["口座情報編集", "メール編集", "プレビュー・更新", "保存", "メーラー起動", "クリアー", "クリップボードへコピー"],
        checks=["銀行1（未登録）", "銀行4（未登録）", "ぱるる", "振替口座"],
        edits=["名前", "郵便番号", "住所", "電話番号", "携帯番号", "落札商品", "落札者(YahooID)", "落札金額", "落札者メール",
               "配送業者", "荷物追跡番号", "送料"],
        combos=["プレート選択"])
    body = find(page, Atspi.Role.TEXT, name="メール本文", where=where)
    item = find(page, Atspi.Role.TEXT, label="落札商品", where=where)
    if body is not None and item is not None:
        type_into(item, ITEM)
        press(require(find(page, Atspi.Role.PUSH_BUTTON, name="プレビュー・更新", where=where), "no プレビュー・更新"))
        check(poll(lambda: ITEM in text_of(body), 5), "the mail body does not show the item typed from outside")

    check_dialog(app, find(page, Atspi.Role.PUSH_BUTTON, name="メール編集"), "メールテンプレート編集", "キャンセル",
                 "template editor", buttons=["保存", "OK", "キャンセル"], edits=["バイト"], combos=["タイプ選択"])
    editor = [w for w in windows(app) if name_of(w) == "メールテンプレート編集"]
    if editor:
        find(editor[0], Atspi.Role.TEXT, name="メールテンプレートの本文", where="template editor")


def check_file_page(page, saved):
    where = "file page"
    check_every_control_named(page, where)
    expect_controls(page, where, buttons=["ファイルの削除", "メーラー起動", "プレビュー", "クリップボードへコピー", "内容更新"])
    files = find(page, Atspi.Role.LIST, name="保存したファイルの一覧", where=where)
    shown = find(page, Atspi.Role.TEXT, name="ファイルの内容", where=where)
    if files is not None and saved:
        listed = poll(lambda: [name_of(c) for c in children(fresh(files)) if name_of(c)], 5) or []
        check(saved in listed, "the file list %r does not hold %r" % (listed, saved))
    if shown is not None:
        check(poll(lambda: TITLE in text_of(shown), 5), "the file page does not show the saved page")


def run_inside(folder):
    bus = start_accessibility_bus()
    log = open(os.path.join(os.path.dirname(folder), "program.log"), "w")
    program = subprocess.Popen([os.path.join(folder, "torepal")], cwd=os.path.dirname(folder),
                               env=program_environment(), stdin=subprocess.DEVNULL, stdout=log, stderr=log)
    started = time.monotonic()
    try:
        app = require(application_of(program.pid), "the program did not appear on the accessibility bus")
        check(name_of(app) == "torepal", "the application is called %r" % name_of(app))
        main = require(shown_window(app, "トレパル Ver 1.3.3", 10), "no main window")
        print("application found after %.1f s" % (time.monotonic() - started), flush=True)

        menus = [name_of(m) for m in find_all(main, Atspi.Role.MENU_ITEM)]
        for name in ["ファイル（F）", "新規作成（N）", "開く（O）", "保存（S）", "終了（E）", "設定（C）", "銀行口座編集（G）",
                     "マイブーステキスト編集（M）", "ヘルプ（H）", "ヘルプ表示", "バージョン情報（A）", "バージョン表示（A）",
                     "作者のホームページへ(J)"]:
            check(menus.count(name) == 1, "menu item %r found %d times" % (name, menus.count(name)))

        pages = tab_pages(main)
        plate_tab, plate = pages["プレート作成"]
        mail_tab, mail = pages["メール作成"]
        file_tab, files = pages["ファイル管理"]
        check(has_state(find(plate, Atspi.Role.PUSH_BUTTON, name="完成"), Atspi.StateType.SHOWING),
              "the plate page is not the one shown at start")

        saved = check_plate_page(app, plate, folder, main)
        choose_tab(mail_tab, mail, "メール編集")
        check_mail_page(app, mail)
        choose_tab(file_tab, files, "内容更新")
        check_file_page(files, saved)

        check_dialog(app, "新規作成（N）", "新規作成", "キャンセル", "new forms dialog", buttons=["OK", "キャンセル"])
        check_tariff_editor(app)
        check_dialog(app, "バージョン表示（A）", "バージョン情報", "OK", "about box", buttons=["OK"])

        # The exit command writes the settings and ends the program.
        exit_item = find(main, Atspi.Role.MENU_ITEM, name="終了（E）", where="menu")
        if exit_item is not None:
            try:
                press(exit_item)
            except GLib.Error:
                pass
            try:
                program.wait(10)
            except subprocess.TimeoutExpired:
                fail("終了（E） did not end the program")
            check(os.path.exists(os.path.join(folder, "status.ini")), "the exit wrote no status.ini")
    except Stop as stop:
        fail(str(stop))
    except Exception:  # a broken step must still end the program and the buses
        fail(traceback.format_exc())
    finally:
        if program.poll() is None:
            program.terminate()
            try:
                program.wait(5)
            except subprocess.TimeoutExpired:
                program.kill()
                program.wait()
        bus.terminate()
        bus.wait()
        log.close()
    print("checked in %.1f s" % (time.monotonic() - started))
    if failures:
        with open(log.name) as f:
            print("program output:\n" + f.read())
        print("%d accessibility failures" % len(failures))
        return 1
    print("every control was found and the form was worked from outside")
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "--press-menu-item":
        return press_menu_item(int(argv[2]), argv[3])
    if len(argv) != 2:
        print(__doc__)
        return 2
    if os.environ.get(INSIDE) == "1":
        return run_inside(argv[1])
    return run_outside(argv[1])


if __name__ == "__main__":
    sys.exit(main(sys.argv))
