<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>QObject</name>
    <message>
        <source>%1 - Printer Properties</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer&apos;s default</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Media type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paper source:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Properties...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Current Printer:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tessaly</name>
    <message>
        <source>Brightness</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the photo lighter or darker</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spread the tones apart or draw them together</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lighten or darken the mid-tones, keeping black and white</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Make the colours stronger or paler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add red, or its opposite cyan</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add green, or its opposite magenta</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add blue, or its opposite yellow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen the photo&apos;s edges (unsharp mask)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How wide an edge the sharpening takes, in pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How strongly the edges are sharpened</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How many prints of this photo the job makes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A text printed with the photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the last job?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact sheet mode: the photos print as thumbnails with their file names. Choose Photo layout in the job settings to edit them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all images?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No printer!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>For correct display, Tessaly needs at least 800x600 screen resolution!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessaly - Select Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add Photos...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add photos to the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open Job...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add the photos of a saved job, with their edits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Job...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save the job&apos;s photos and their edits in a job file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the program; the job is kept for the next start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the photo a quarter turn counter-clockwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the photo a quarter turn clockwise</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate &amp;Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate Crop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn the crop frame between landscape and portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;White Balance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White Balance</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Then click a spot of the photo that should be neutral grey</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;set Edits</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reset</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set brightness, contrast, gamma, saturation and colours back to none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the photo&apos;s file, size and camera data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Re&amp;move</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the photo out of the job (the file stays); right-click to remove all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take every photo out of the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the printer, the photo size and the layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pre&amp;view</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the pages as they will print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sa&amp;ve Photos...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save every photo, edited and sized, as a new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Keyboard Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>List the keyboard shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About this program and its licences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Job</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn photos upright as the camera recorded them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the GPS position in saved files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Can&apos;t save in contact sheet mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warning: Text label too big!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Invalid Picture Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The run was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The edits could not be kept for the next time these photos are added.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1/%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The pages were written to %1, one PDF file per page:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting %1m %2s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing page %1/%2, Photo %3/%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving file %1 of %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo size must be at least %1 on each side.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo size can&apos;t be above %1 on a side.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo margins must be between 0 and %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo margins must leave a picture of at least %1 on each side.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error opening file &apos;%1&apos;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>larger than %1 megapixels or %2 pixels a side</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tessaly could not write %1:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last job could not be opened:
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
... and %1 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Low: under %1 ppi.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Could not add &apos;%1&apos;:
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Image %1 of %2...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved %1 of %2 photos in %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 photos skipped.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed %1 of %2 pages on %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keep the changes and close the window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the window without keeping the changes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open the help page of this window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer the job is printed on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the printer&apos;s paper, media type, quality and tray</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units, date format, screen photo size and saved-file options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit of photo sizes and margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the date printed with a photo is written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The smallest size of the photo on the screen, in pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show, print and save photos the way the camera was held</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved files keep the place where the photo was taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo&apos;s width, its margins included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo&apos;s height, its margins included</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The white border around the picture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture&apos;s width inside the margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture&apos;s height inside the margins</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer&apos;s colour profile; empty to print without one</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the printer&apos;s colour profile file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos with fewer pixels per inch are enlarged to this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photos with more pixels per inch are reduced to this</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen the photos after they are resized</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seconds to wait between pages, so that the printer keeps up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder the photos are saved in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The template of the saved files&apos; names</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file type of the saved photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A JPEG quality from the usual ones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The JPEG quality, from 0 to 100</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save every photo of the job as a new file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the chosen file before it is added</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the chosen photo larger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The paper the printer prints on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kind of paper in the printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer&apos;s print quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The tray the paper is taken from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saving Files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Loading Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel print job?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop saving files?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::AboutBox</name>
    <message>
        <source>About Tessaly</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::EditPanel</name>
    <message>
        <source>Sharpen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Radius (pixels):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount (%):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amount (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copies:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copies</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::HistogramView</name>
    <message>
        <source>RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Histogram</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the red, green and blue values apart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share of values below 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share of values from 0 to 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share of values above 255</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::ImageInfoWindow</name>
    <message>
        <source>Image Information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image information</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::JobSettingsDialog</name>
    <message>
        <source>Tessaly - Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Page Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this for printing or saving photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contact Sheet Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select this to print thumbnails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently selected photo sizes. The units can be changed in &quot;Other Preferences&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create new photo size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change current photo size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Current photo size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layout Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Best Fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically arrange photos to maximize the number of photos per page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All photos are printed in landscape</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All photos are printed in portrait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center Layout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Centre photos in the page. Depending on photo/page sizes and printer margins, fewer photos may fit on page.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Shot Date (exif date)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print date contained in the exif file data, using the mask defined in &quot;Other Preferences&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the file name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Frame Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print a dark grey line around photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Cut Marks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When printing with margins, print fine doted lines to help cutting photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set up the font to use for printed text</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Other Preferences...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::MainWindow</name>
    <message>
        <source>Window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::OpenPhotosDialog</name>
    <message>
        <source>Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>View...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tip: See the Help to know how to open multiple files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PageLayoutPreview</name>
    <message>
        <source>Show the actual page layout</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PhotoFileDialog</name>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PhotoSizeDialog</name>
    <message>
        <source>Photo Size (including margins):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Margins:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Image Size (excluding margins):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PhotoView</name>
    <message>
        <source>Photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The photo as it prints: drag the frame to choose the crop</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PreferencesDialog</name>
    <message>
        <source>Other Preferences</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*) This is the size of the photos on the screen, in pixels.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     The maximum size depends on the screen resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Units:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date format:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen photo size (*):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PreviewWindow</name>
    <message>
        <source>Tessaly - Print Preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last page</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::PrintOptionsDialog</name>
    <message>
        <source>Tessaly - Print Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printer Color Space</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use printer&apos;s default color space profile. Recommended for most users.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sRGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print images as sRGB. The default printer profile is ignored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use Profile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a specific ICC profile (for advanced users only!)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pause between printed pages (minutes):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::ProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::ResolutionBoxes</name>
    <message>
        <source>Normal (don&apos;t change the resolution)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All images are printed at their native resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the minimum resolution to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Improve print quality of low-resolution images: Images with lower resolution than specified are interpolated to the specified resolution.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the maximum resolution to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Images with higher resolutions than specified are down-sampled to the specified resolution</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ppi</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::SaveDialog</name>
    <message>
        <source>Tessaly - Save Photos</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Resolution (**)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sharpen Images</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name files as: (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save in folder:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as type:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JPEG Quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(*)  Template for the name of saved files. Use one of the supplied templates as a starting point.

(**) Resolution of the saved images at the current print size.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tessaly::ThumbnailStrip</name>
    <message>
        <source>Thumbnails</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The job&apos;s photos: click one to edit it, or move with the arrow keys</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Previous photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next photo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the current photo in the middle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Photo %1 of %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, prints soft</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
