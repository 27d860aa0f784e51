"""The help sources and the compiled help.chm: the project, the table of
contents and the index name every page, every link leads to a page that is
packed, every page can be reached from the contents, and the compiled file
holds exactly what the project lists.

Environment: MENSOR_WINDOWS_BUILD, the Windows build folder with help.chm.
"""

import html.parser
import os
import re
import subprocess
import tempfile
import unittest

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
HELP = os.path.join(ROOT, 'docs', 'help')


def read(name):
    with open(os.path.join(HELP, name), encoding='utf-8') as f:
        return f.read()


def project_files():
    """The [FILES] section of help.hhp."""
    files, section = [], None
    for line in read('help.hhp').splitlines():
        line = line.strip()
        if line.startswith('['):
            section = line
        elif line and section == '[FILES]':
            files.append(line)
    return files


def project_option(name):
    m = re.search(r'^%s=(.*)$' % re.escape(name), read('help.hhp'), re.M)
    return m.group(1).strip() if m else None


def sitemap(text):
    """(name, local) of every entry of a .hhc or .hhk file, in order; an entry
    without a page has local None. An index entry names its keyword first and
    then one (title, page) pair per page."""
    entries = []
    for obj in re.findall(r'<OBJECT type="text/sitemap">(.*?)</OBJECT>', text, re.S):
        params = re.findall(r'<param name="(\w+)" value="([^"]*)">', obj)
        keyword = params[0][1]
        locals_ = [v for n, v in params if n == 'Local']
        entries.append((keyword, locals_))
    return entries


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links, self.images, self.anchors, self.title = [], [], set(), ''
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == 'a' and 'href' in attrs:
            self.links.append(attrs['href'])
        if tag == 'a' and 'name' in attrs:
            self.anchors.add(attrs['name'])
        if tag == 'img':
            self.images.append(attrs['src'])
        if tag == 'link' and attrs.get('rel') == 'stylesheet':
            self.images.append(attrs['href'])
        self._in_title = tag == 'title'

    def handle_endtag(self, tag):
        self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def parse_page(name):
    p = Links()
    p.feed(read(name))
    return p


PAGES = sorted(n for n in os.listdir(HELP) if n.endswith('.html'))


class HelpSourcesTest(unittest.TestCase):

    def test_the_project_lists_every_page_and_only_files_that_exist(self):
        files = project_files()
        self.assertEqual(sorted(f for f in files if f.endswith('.html')), PAGES, 'pages in [FILES]')
        for f in files:
            self.assertTrue(os.path.isfile(os.path.join(HELP, f)), '%s in [FILES] exists' % f)
        self.assertEqual(project_option('Default topic'), 'start.html')
        self.assertEqual(project_option('Title'), 'Mensor Help')

    def test_contents_and_index_name_every_page(self):
        for name in ('toc.hhc', 'index.hhk'):
            entries = sitemap(read(name))
            named = sorted({page for _, pages in entries for page in pages})
            self.assertEqual(named, PAGES, 'pages named in %s' % name)
            for keyword, pages in entries:
                self.assertTrue(keyword.strip(), 'every entry of %s has a name' % name)
        # Every index entry leads somewhere; headings of the contents may not.
        for keyword, pages in sitemap(read('index.hhk')):
            self.assertTrue(pages, 'index entry %r names a page' % keyword)

    def test_every_page_has_a_title_and_every_link_a_packed_target(self):
        packed = set(project_files())
        for page in PAGES:
            parsed = parse_page(page)
            self.assertTrue(parsed.title.strip(), '%s has a title' % page)
            for src in parsed.images:
                self.assertIn(src, packed, 'picture or style sheet %s of %s is packed' % (src, page))
            for href in parsed.links:
                target, _, anchor = href.partition('#')
                self.assertIn(target, PAGES, 'link %s on %s leads to a page' % (href, page))
                if anchor:
                    self.assertIn(anchor, parse_page(target).anchors, 'anchor %s exists' % href)

    def test_every_page_is_reachable_from_the_start_page(self):
        reachable, todo = set(), ['start.html']
        while todo:
            page = todo.pop()
            if page in reachable:
                continue
            reachable.add(page)
            todo += [h.partition('#')[0] for h in parse_page(page).links]
        self.assertEqual(sorted(reachable), PAGES, 'pages reached by following links from start.html')


class CompiledHelpTest(unittest.TestCase):

    def setUp(self):
        build = os.environ.get('MENSOR_WINDOWS_BUILD')
        if not build:
            self.skipTest('MENSOR_WINDOWS_BUILD is not set')
        self.chm = os.path.join(build, 'help.chm')
        if not os.path.isfile(self.chm):
            self.skipTest('no Windows build with help.chm in %s (make windows)' % build)

    def test_the_compiled_file_holds_every_listed_file_and_the_same_contents(self):
        out = subprocess.run(['chmls', '-n', 'list', self.chm], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True).stdout.decode()
        names = {line.strip().lstrip('/') for line in out.splitlines() if line.startswith('/')}
        for f in project_files() + ['toc.hhc', 'index.hhk']:
            self.assertIn(f, names, '%s is in help.chm' % f)
        with tempfile.TemporaryDirectory() as work:
            for f in ('toc.hhc', 'index.hhk', 'start.html'):
                dest = os.path.join(work, f)
                subprocess.run(['chmls', 'extract', self.chm, '/' + f, dest], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, check=True)
                with open(dest, encoding='utf-8') as got:
                    self.assertEqual(got.read(), read(f), '%s in help.chm is the source' % f)

    def test_the_compiled_file_says_where_to_start(self):
        out = subprocess.run(['chmls', 'printsystem', self.chm], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True).stdout.decode()
        self.assertRegex(out, r'Default topic.*:start\.html')
        self.assertRegex(out, r'Title.*:Mensor Help')
        self.assertRegex(out, r'Contents file.*:toc\.hhc')
        self.assertRegex(out, r'Index file.*:index\.hhk')


if __name__ == '__main__':
    unittest.main()
