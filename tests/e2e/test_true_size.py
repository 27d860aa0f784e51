"""True size on one monitor of 1024 x 768 whose EDID says 200 x 150 mm
(5.12 pixels per millimetre): the program's way of reading the EDID finds
it under Wine, quickly."""

import unittest

import edid_tools
import harness

EDID = edid_tools.build_edid(200, 150, maker='MSR', product=0x0001, serial=1)

setUpModule = harness.setUpModuleWithEdids({'screen': EDID})
tearDownModule = harness.tearDownModule

# Reading the EDIDs at start-up may cost this much.
MAX_READ_MS = 20.0


class EdidReadingTest(harness.MensorTestCase):

    def test_the_monitors_edid_is_found_and_read_within_20_ms(self):
        # The first reading of a process is the start-up's; the machine's
        # load may slow one run, so the fastest of three counts.
        runs = [edid_tools.probe(self.session) for _ in range(3)]
        firsts = sorted(first for _, first, _ in runs)
        print('\n[true size] first reading of the EDIDs in three starts: %s ms; later readings from %.2f ms'
              % (', '.join('%.2f' % t for t in firsts), min(fastest for _, _, fastest in runs)))
        for displays, _, _ in runs:
            self.assertEqual(list(displays.values()), [(128, 'MSR-0001-00000001', '200x150')],
                             'one display, its EDID as set on the X output')
        self.assertLessEqual(firsts[0], MAX_READ_MS, 'the first reading, as at start-up')

if __name__ == '__main__':
    unittest.main()
