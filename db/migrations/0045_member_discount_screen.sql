-- What the member discount screen needs beyond the registration of 0036:
-- member photos, and the rules of the statements that register a partner or
-- employee scheme for a bill, remove one registered discount and count a
-- scheme's uses of the day.

-- A member's photo as the member office scanned it (JPEG). The terminal
-- shows it beside the discount list when the outlet asks for photos.
CREATE TABLE member_photo (
    member_no text PRIMARY KEY REFERENCES member,
    photo     bytea NOT NULL
);

-- A scheme is registered once per member-add number: the scheme's rows of a
-- bill are told apart by their sequence (one row per outlet and adult/child
-- rate), so two registrations at once must not take the same one.
CREATE INDEX dc_member_work_scheme ON dc_member_work (upjang_code, pos_no, multi_upjang_code, member_no,
                                                     member_add_no);

-- A scheme's uses on stored bills of a day at an outlet: the quantities of
-- the sale rows discounted under it (returns count back).
CREATE INDEX sale_scheme_use ON sale (sale_date, upjang_code, member_no, member_add_no)
    WHERE member_no IS NOT NULL;
