-- Display windows of menu buttons and goods. The terminal shows an item when
-- its window holds the time of day ("hhnn" compared as text), so an empty
-- window hides it at every hour. An item without a window of its own is
-- shown all day: the columns default to 0000-2359, and rows that had no
-- window (both ends empty) get that one.

ALTER TABLE menu
    ALTER COLUMN disp_time_from SET DEFAULT '0000',
    ALTER COLUMN disp_time_to SET DEFAULT '2359';
ALTER TABLE goods
    ALTER COLUMN disp_time_from SET DEFAULT '0000',
    ALTER COLUMN disp_time_to SET DEFAULT '2359';

UPDATE menu SET disp_time_from = '0000', disp_time_to = '2359' WHERE disp_time_from = '' AND disp_time_to = '';
UPDATE goods SET disp_time_from = '0000', disp_time_to = '2359' WHERE disp_time_from = '' AND disp_time_to = '';
