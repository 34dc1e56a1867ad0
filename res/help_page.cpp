#include "res/help_page.h"

namespace {

constexpr const char* kHelpPage = R"html(<!DOCTYPE html>
<html>
<head><meta charset="utf-8"><title>Zelbrin Help</title></head>
<body>
<h1>Zelbrin</h1>
<p>Zelbrin lays out one photo-album page. You place JPEG pictures and text items on the
page, arrange them, and then save the page as an album file (<tt>.alb</tt>), print it or
export it as a JPEG picture.</p>

<h2>The page</h2>
<p>The white area of the window is the page. Its size is the printable area of your
printer; choose <b>File &gt; Print Setup...</b> to change the printer or to turn the page
between portrait and landscape.</p>

<h2>Pictures</h2>
<ul>
<li><b>File &gt; Open Image...</b> (Ctrl+O) inserts one or more JPEG files. Each picture is
fitted into the next free rectangle of the layout template; when all rectangles are taken
it is placed near the top-left corner.</li>
<li>You can also drag <tt>.jpg</tt> files from your file manager onto the window.</li>
<li>Click a picture to select it. Drag it to move it, drag a corner to resize it in
proportion, or drag an edge to crop it.</li>
</ul>

<h2>Text</h2>
<ul>
<li><b>Text &gt; New Text Item...</b> asks for the text, the font and its style, and places
the text in the middle of the page. Double-click a text item to edit it.</li>
<li><b>Bold</b> (Ctrl+B), <b>Italic</b> (Ctrl+I), <b>Underline</b> (Ctrl+U) and
<b>Text Color...</b> change the selected text item.</li>
</ul>

<h2>Arranging</h2>
<ul>
<li><b>Edit &gt; Undo</b> (Ctrl+Z) takes back the last change to the page, and
<b>Redo</b> (Ctrl+Y) makes it again; the menu names the change (a move, a crop, a
deleted picture...). The last hundred changes can be taken back. A title with a
<tt>*</tt> means the page has unsaved changes.</li>
<li><b>Edit &gt; Duplicate Object</b> (Ctrl+D) copies the selected item;
<b>Delete Object</b> (Delete, Backspace or Ctrl+X) removes it;
<b>Send To Back</b> puts it below the others. <b>Rotate Left</b> (Ctrl+L) and
<b>Rotate Right</b> (Ctrl+R) turn the selected picture a quarter turn. Photographs
from phones and cameras are shown upright as they were taken.
<b>Find Missing Pictures...</b> looks for the files of pictures that could not be found
when the album was opened (they are kept in their places as grey boxes).</li>
<li><b>Grid &gt; Show Gridlines</b> shows a grid; <b>Set Gridline Spacing...</b> sets its
spacing in inches, and <b>Snap to Grid</b> makes moved pictures align to it.</li>
<li><b>Template &gt; Snap to Template</b> drops a moved picture into the template rectangle
it is released over. <b>Save Template...</b> keeps the current placement of the pictures as
a template (<tt>.zbt</tt>) and <b>Load Template...</b> brings one back.</li>
</ul>

<h2>Files</h2>
<ul>
<li><b>File &gt; New Document</b> (Ctrl+N) starts an empty page.
<b>Open Document...</b> opens an album; you can also drop an <tt>.alb</tt> file onto the
window. The last four albums are listed in the File menu.</li>
<li><b>Save</b> (Ctrl+S) and <b>Save As...</b> write the album. An album refers to its
pictures, so keep the pictures with the album when you move it. It also records the
page's size, so it shows the same on a screen of any size.</li>
<li><b>Export Page...</b> writes the page as a JPEG picture of the size you choose; the
picture records its dots per inch, so it prints at the page's size.</li>
<li><b>Print...</b> (Ctrl+P) prints the page; <b>Print Preview</b> shows it first. Pictures
that would print at fewer than 150 pixels per inch are named before the job, and you
choose whether to go on. With a picture selected, the status bar shows how many pixels
per inch it has on paper.</li>
</ul>
<p>When you close Zelbrin or open another album while the page has unsaved changes,
Zelbrin asks whether to save them first.</p>

<h2>Settings</h2>
<p>The grid, its spacing and the two snap switches are remembered between runs. In the
settings file (<tt>~/.config/zelbrin/zelbrin.conf</tt>), section <tt>[Settings]</tt>,
<tt>SmoothPictures=0</tt> draws pictures by picking one pixel for each instead of
averaging them, and <tt>MinimumPrintPpi</tt> sets the resolution below which printing
names the pictures (0: never).</p>
</body>
</html>
)html";

} // namespace

const char* GetHelpPageHtml() {
    return kHelpPage;
}
