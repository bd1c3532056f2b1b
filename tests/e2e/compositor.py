#!/usr/bin/python3
"""Asks a running Wayland compositor about its windows, switches its workspaces and takes screenshots
through the compositor's own interfaces, for the end-to-end cases. Windows are named by a regular
expression for their title.

    compositor.py kwin|gnome|sway COMMAND ARGS...

Commands (each exits 0 when the answer is yes, 1 when no, 2 when the compositor cannot be asked):
    windows                  print every window, bottom to top, as JSON lines
    active TITLE             the window with the keyboard has that title
    full-screen TITLE        a native Wayland window with that title is full screen and has the keyboard
    full-screen-up TITLE     a native Wayland window with that title is full screen
    activate TITLE           give the keyboard to the full-screen window with that title, as a click would
    x11 TITLE                a window with that title runs through XWayland
    above UPPER LOWER        the compositor stacks the first window above the second
    on-all-workspaces TITLE  the window shows on every workspace
    workspace N              switch to workspace N (counted from 0) and wait until it is current
    shot FILE                write a PNG of the whole screen

KWin answers through a script it runs, whose output lands in its log: KWIN_LOG names that file (KWin
must run with QT_LOGGING_RULES=kwin_scripting.debug=true). GNOME Shell must run with --unsafe-mode.
sway is asked with swaymsg and photographed with grim.
"""
import json
import os
import re
import struct
import subprocess
import sys
import tempfile
import time
import zlib

import dbus


def write_png(path, width, height, rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header)
                + chunk(b'IDAT', zlib.compress(b''.join(b'\0' + row for row in rows), 3)) + chunk(b'IEND', b''))


class KWin:
    # One object per window, bottom to top: what every compositor here can tell.
    WINDOWS = '''workspace.clientList().slice().sort(function (a, b) { return a.stackingOrder - b.stackingOrder; })
        .map(function (c) { return {title: c.caption, active: c.active, fullScreen: c.fullScreen,
            x11: !!c.windowId, onAll: c.onAllDesktops, layer: c.layer,
            geometry: [c.frameGeometry.x, c.frameGeometry.y, c.frameGeometry.width, c.frameGeometry.height]}; })'''

    def __init__(self):
        self.bus = dbus.SessionBus()
        self.log = os.environ['KWIN_LOG']

    def evaluate(self, expression):
        token = 'PROBE%d_%d' % (os.getpid(), int(time.monotonic() * 1000))
        with tempfile.NamedTemporaryFile('w', suffix='.js', dir=os.path.dirname(self.log), delete=False) as f:
            f.write('print("%s " + JSON.stringify((function () { return %s; })()));\n' % (token, expression))
        scripting = dbus.Interface(self.bus.get_object('org.kde.KWin', '/Scripting'), 'org.kde.kwin.Scripting')
        try:
            scripting.loadScript(f.name, token, signature='ss')
            scripting.start()
            until = time.monotonic() + 10
            while time.monotonic() < until:
                with open(self.log, errors='replace') as log:
                    for line in log:
                        if token + ' ' in line:
                            return json.loads(line.split(token + ' ', 1)[1])
                time.sleep(0.05)
            raise RuntimeError('KWin ran no script')
        finally:
            scripting.unloadScript(token)
            os.unlink(f.name)

    def windows(self):
        return self.evaluate(self.WINDOWS)

    def activate(self, title):
        return self.evaluate('''(function () { var c = workspace.clientList().filter(function (c) {
            return c.fullScreen && new RegExp(%s).test(c.caption); })[0];
            if (c) workspace.activeClient = c; return !!c; })()''' % json.dumps(title))

    def workspace(self, index):
        return self.evaluate('(workspace.desktops = Math.max(workspace.desktops, %d), '
                             'workspace.currentDesktop = %d, workspace.currentDesktop - 1)' % (index + 1, index + 1))

    def shot(self, path):
        screenshot = dbus.Interface(self.bus.get_object('org.kde.KWin', '/org/kde/KWin/ScreenShot2'),
                                    'org.kde.KWin.ScreenShot2')
        read_end, write_end = os.pipe()
        meta = screenshot.CaptureWorkspace({'native-resolution': True}, dbus.types.UnixFd(write_end))
        os.close(write_end)
        data = bytearray()
        with os.fdopen(read_end, 'rb') as pipe:
            while chunk := pipe.read(1 << 20):
                data += chunk
        width, height, stride = int(meta['width']), int(meta['height']), int(meta['stride'])
        if int(meta['format']) not in (4, 5, 6):  # QImage's 32-bit formats, blue first in memory
            raise RuntimeError('unexpected image format %d' % int(meta['format']))
        rows = []
        for y in range(height):
            line = data[y * stride:y * stride + width * 4]
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[2::4], line[1::4], line[0::4]
            rows.append(bytes(rgb))
        write_png(path, width, height, rows)


class Gnome:
    WINDOWS = '''global.display.sort_windows_by_stacking(global.display.list_all_windows())
        .filter(w => w.get_window_type() !== imports.gi.Meta.WindowType.DESKTOP && w.get_title() !== 'gnome-shell')
        .map(w => { const r = w.get_frame_rect(); return {title: w.get_title(), active: w.has_focus(),
            fullScreen: w.is_fullscreen(), x11: w.get_client_type() === imports.gi.Meta.WindowClientType.X11,
            onAll: w.is_on_all_workspaces(), above: w.is_above(), geometry: [r.x, r.y, r.width, r.height]}; })'''

    def __init__(self):
        self.shell = dbus.SessionBus().get_object('org.gnome.Shell', '/org/gnome/Shell')

    def evaluate(self, expression):
        ok, result = self.shell.Eval(expression, dbus_interface='org.gnome.Shell')
        if not ok:
            raise RuntimeError('GNOME Shell could not evaluate: %s' % result)
        return json.loads(result) if result else None

    def windows(self):
        return self.evaluate(self.WINDOWS)

    def activate(self, title):
        return self.evaluate('''(() => { const w = global.display.list_all_windows().filter(w =>
            w.is_fullscreen() && new RegExp(%s).test(w.get_title()))[0];
            if (w) w.activate(global.get_current_time()); return !!w; })()''' % json.dumps(title))

    def workspace(self, index):
        return self.evaluate('''(() => { const m = global.workspace_manager;
            while (m.n_workspaces <= %d) m.append_new_workspace(false, global.get_current_time());
            m.get_workspace_by_index(%d).activate(global.get_current_time());
            return m.get_active_workspace_index(); })()''' % (index, index))

    def shot(self, path):
        screenshot = dbus.SessionBus().get_object('org.gnome.Shell', '/org/gnome/Shell/Screenshot')
        ok, _ = screenshot.Screenshot(False, False, os.path.abspath(path),
                                      dbus_interface='org.gnome.Shell.Screenshot')
        if not ok:
            raise RuntimeError('GNOME Shell took no screenshot')


class Sway:
    def message(self, *arguments):
        return json.loads(subprocess.run(['swaymsg', '-r', *arguments], check=True, capture_output=True).stdout)

    def windows(self):
        found = []

        def walk(node, workspace_all=False):
            if node.get('pid') is not None:
                rect = node['rect']
                found.append({'title': node.get('name'), 'active': node.get('focused'),
                              'fullScreen': node.get('fullscreen_mode', 0) != 0,
                              'x11': node.get('shell') == 'xwayland', 'onAll': node.get('sticky'),
                              'floating': node.get('type') == 'floating_con',
                              'geometry': [rect['x'], rect['y'], rect['width'], rect['height']]})
            for child in node.get('nodes', []) + node.get('floating_nodes', []):
                walk(child)
        walk(self.message('-t', 'get_tree'))
        return found

    def activate(self, title):
        if not any(w['fullScreen'] for w in matching(self.windows(), title)):
            return False
        self.message('[title="%s"]' % title.replace('"', '\\"'), 'focus')
        return True

    def workspace(self, index):
        self.message('workspace', 'number', str(index + 1))
        current = [w for w in self.message('-t', 'get_workspaces') if w['focused']]
        return current[0]['num'] - 1 if current else -1

    def shot(self, path):
        subprocess.run(['grim', path], check=True)


def matching(windows, title):
    return [w for w in windows if w.get('title') and re.search(title, w['title'])]


def main(argv):
    compositor = {'kwin': KWin, 'gnome': Gnome, 'sway': Sway}[argv[1]]()
    command, arguments = argv[2], argv[3:]
    if command == 'shot':
        compositor.shot(arguments[0])
        return 0
    if command == 'workspace':
        wanted = int(arguments[0])
        until = time.monotonic() + 10
        while compositor.workspace(wanted) != wanted:
            if time.monotonic() > until:
                return 1
            time.sleep(0.2)
        return 0
    windows = compositor.windows()
    if command == 'windows':
        for window in windows:
            print(json.dumps(window))
        return 0
    if command == 'active':
        return 0 if any(w['active'] for w in matching(windows, arguments[0])) else 1
    if command == 'full-screen':
        return 0 if any(w['active'] and w['fullScreen'] and not w['x11']
                        for w in matching(windows, arguments[0])) else 1
    if command == 'full-screen-up':
        return 0 if any(w['fullScreen'] and not w['x11'] for w in matching(windows, arguments[0])) else 1
    if command == 'activate':
        return 0 if compositor.activate(arguments[0]) else 1
    if command == 'x11':
        return 0 if any(w['x11'] for w in matching(windows, arguments[0])) else 1
    if command == 'on-all-workspaces':
        return 0 if any(w['onAll'] for w in matching(windows, arguments[0])) else 1
    if command == 'above':
        titles = [w['title'] or '' for w in windows]
        upper = [i for i, t in enumerate(titles) if re.search(arguments[0], t)]
        lower = [i for i, t in enumerate(titles) if re.search(arguments[1], t)]
        return 0 if upper and lower and max(upper) > max(lower) else 1
    raise SystemExit('unknown command ' + command)


if __name__ == '__main__':
    try:
        sys.exit(main(sys.argv))
    except (dbus.DBusException, RuntimeError, subprocess.CalledProcessError, OSError, ValueError) as error:
        print(error, file=sys.stderr)
        sys.exit(2)
