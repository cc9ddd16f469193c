# SPDX-License-Identifier: GPL-3.0-or-later
'''python-dbusmock template: UDisks2 with one stick, a block device with a file system on a drive.

Parameters: "blocks" (the kernel's names of the devices that are on the stick, e.g. ["loop3"];
empty: every loop device, loop0 to loop63),
"removable" (default true: false makes it a fixed disc), "busy" (Unmount answers DeviceBusy),
"umount" (Unmount really unmounts the device, answering DeviceBusy when umount fails).
'''
import dbus
import dbusmock

BUS_NAME = 'org.freedesktop.UDisks2'
MAIN_OBJ = '/org/freedesktop/UDisks2'
MAIN_IFACE = 'org.freedesktop.UDisks2.Manager'
SYSTEM_BUS = True
BUSY = ("raise dbus.exceptions.DBusException('target is busy', "
        "name='org.freedesktop.UDisks2.Error.DeviceBusy')")


def load(mock, parameters):
    drive = '/org/freedesktop/UDisks2/drives/Stick'
    mock.AddObject(drive, 'org.freedesktop.UDisks2.Drive',
                   {'Removable': dbus.Boolean(parameters.get('removable', True)),
                    'CanPowerOff': dbus.Boolean(True)},
                   [('PowerOff', 'a{sv}', '', '')])
    unmount = BUSY if parameters.get('busy') else ''
    for name in parameters['blocks'] or ['loop%d' % i for i in range(64)]:
        block = '/org/freedesktop/UDisks2/block_devices/' + name
        mock.AddObject(block, 'org.freedesktop.UDisks2.Block', {'Drive': dbus.ObjectPath(drive)},
                       [])
        if parameters.get('umount'):
            unmount = "import subprocess\nif subprocess.call(['umount', '/dev/%s']) != 0: " % name
            unmount += BUSY
        dbusmock.get_object(block).AddMethod('org.freedesktop.UDisks2.Filesystem', 'Unmount',
                                             'a{sv}', '', unmount)
    mock.log('ready')
